#include <PlgKavelo/KaveloFather.h>

// Until the board exists, every command is refused.
int CKaveloFather::SetGameParam(const std::wstring& /*command*/) { return -1; }
