/* A host in C that knows the plug-in only through its installed package. */
#include <PlgKavelo/Kavelo.h>

#include <stddef.h>

int main(void) {
  KaveloGame* game = KaveloCreate(NULL);
  int ok = game != NULL && KaveloInputEventUtf8(game, "type," KAVELO_TEXT(KAVELO_QUERY_PAIRS) ";") == -1 &&
           KaveloSetGameParam(NULL, L"param," KAVELO_TEXT(KAVELO_PARAM_SET_UP) L";") == -1;
  KaveloDestroy(game);
  return ok && KaveloTimeoutMs() == -1 ? 0 : 1;
}
