#include <PlgKavelo/KaveloFather.h>

// Without a board and a renderer, every event is refused.
int CKaveloFather::InputEvent(const std::wstring& /*event*/) { return -1; }
