#pragma once
// Plays a protocol fuzz input on up to two plug-in objects, as a host that keeps the
// host contract (a buffer as large as every accepted frame) but sends anything else.
//
// An input is lines of text. The first character of a line says what it does:
//   C text   sends the rest of the line as a command; "@/" stands for the art folder
//   E text   sends it as an event
//   T n      n clock ticks (a digit, 1 when absent)
//   A n      moves the stepped clock on by n milliseconds (at most 60000) and serves it
//   H        follows the hint: both cells clicked, which must link
//   O n      objects: 0 a new one in the other slot, 1 destroys the other, 2 switches,
//            3 replaces the one in use
//   B n      hands over no buffer (0) or the object's own again (1)
//   X c      extensions: u undo, r redo, s solve, h safe hint, c and C solvable shuffles
//            on and off
//   G n      when told the game is over: 0 nothing, 1 the last set-up again, 2 a tick
// In a text, "\U" and eight hex digits stand for that character, whatever it is; other
// bytes are read as UTF-8, broken ones as U+FFFD.

#include <PlgKavelo/KaveloFather.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kavelo::fuzz {

// The largest frame a fuzzed set-up is given a buffer for, to keep each tick quick.
// Larger frames that the plug-in refuses get no buffer; larger ones it would accept are
// not sent.
inline constexpr std::int64_t kMaxFramePixels = std::int64_t{1} << 16;
// Lines played from one input at most.
inline constexpr int kMaxSteps = 256;

class FuzzHost : public CKaveloFather {
 public:
  explicit FuzzHost(const int& reaction) : m_reaction(reaction) {}

  // Sends a command; a set-up command first gets a buffer sized for the frame it asks
  // for, read from the text exactly as the plug-in reads it. -1 for a set-up not sent.
  int Command(const std::wstring& text);
  void HandBuffer(bool present);

  int OnGdiDataChange() override { return 0; }
  void OnGameOver(int result) override;

 private:
  const int& m_reaction;
  std::unique_ptr<char[]> m_buffer;  // exactly the frame's size, so that a write past it is caught
  std::wstring m_lastSetUp;
  int m_callbackDepth = 0;
};

class ProtocolPlayer {
 public:
  explicit ProtocolPlayer(std::string artFolder) : m_art(std::move(artFolder)) {}
  // Plays the input, destroys every object and checks that nothing is left behind; a
  // broken promise aborts, so the fuzzer reports it.
  void Play(std::string_view input);

 private:
  void PlayLine(std::string_view line);
  std::wstring Text(std::string_view bytes) const;
  FuzzHost& Current();
  void FollowHint();
  void UseExtension(char mode);
  void ChangeObjects(int mode);

  std::string m_art;
  int m_reaction = 0;
  std::unique_ptr<FuzzHost> m_slots[2];
  int m_current = 0;
};

// The stepped clock every protocol input runs on.
void InstallSteppedClock();
void AdvanceSteppedClock(std::uint64_t ms);

}  // namespace kavelo::fuzz
