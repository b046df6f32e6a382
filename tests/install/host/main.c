/* A host in C that knows the plug-in only through its installed package. */
#include <PlgKavelo/Kavelo.h>

#include <stddef.h>

int main(void) {
  KaveloGame* game = KaveloCreate(NULL);
  int ok = game != NULL && KaveloInputEventUtf8(game, "type,4;") == -1 && KaveloSetGameParam(NULL, L"param,1;") == -1;
  KaveloDestroy(game);
  return ok && KaveloTimeoutMs() == -1 ? 0 : 1;
}
