#pragma once
// Texts of the protocol built from its names, as the tests, benchmarks and fuzzers send
// them. Commands are narrow, to be joined with paths before they are widened.

#include <PlgKavelo/KaveloProtocol.h>

#include <string>

namespace kavelo::test {

// "type,N;": an event or query without keys, and the start of one with keys.
inline std::wstring EventText(int type) { return L"type," + std::to_wstring(type) + L";"; }
// The event of a click on cell (x, y).
inline std::wstring ClickText(int x, int y) {
  return EventText(KAVELO_EVENT_CLICK) + L"x," + std::to_wstring(x) + L";y," + std::to_wstring(y) + L";";
}
inline std::wstring ShuffleText(int mode) {
  return EventText(KAVELO_EVENT_SHUFFLE) + L"shuffle," + std::to_wstring(mode) + L";";
}
inline std::wstring TimeText(int seconds) {
  return EventText(KAVELO_EVENT_TIME) + L"time," + std::to_wstring(seconds) + L";";
}
// "param,N;": the start of a command.
inline std::string CommandText(int param) { return "param," + std::to_string(param) + ";"; }

}  // namespace kavelo::test
