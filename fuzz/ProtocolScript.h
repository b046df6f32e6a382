#pragma once
// The byte form of a protocol fuzz input: a header byte, then steps. Each step is an
// opcode byte (taken modulo kCount) and its fields; the steps that send a text end with
// a spoil count byte (modulo kMaxSpoils + 1) and that many spoils of three bytes.
// ScriptWriter composes such inputs for the seed corpus; the player decodes them.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "fuzz/FuzzBytes.h"
#include "fuzz/ProtocolText.h"

namespace kavelo::fuzz {

inline constexpr unsigned kMaxSpoils = 3;

enum class Step : std::uint8_t {
  kSetUp,         // SetUpFields in their order, spoils
  kChoose,        // picture u8, spoils
  kTimeBar,       // picture u8, x i32, y i32, time i32, spoils
  kSounds,        // key mask u8 (bit n: the n-th sound key is sent), sound u8, spoils
  kScoreStep,     // markAdd i32, spoils
  kTicks,         // count u8 (1 + count % 8 tick events)
  kClick,         // x i32, y i32, spoils
  kShuffle,       // mode i32, spoils
  kTimeEvent,     // time i32, spoils
  kQuery,         // type i32, spoils
  kAdvanceClock,  // milliseconds u16: the stepped clock moves on and the timers are served
  kRawCommand,    // length u16, characters: a text of any characters as a command
  kRawEvent,      // length u16, characters: the same as an event
  kHint,          // asks for a hint
  kFollowHint,    // clicks both cells of the hint
  kHandBuffer,    // mode u8: 0 hands over no buffer, 1 the object's own again
  kObjects,       // mode u8: ObjectsMode
  kExtension,     // mode u8: ExtensionMode
  kCount,
};

enum class ExtensionMode : std::uint8_t {
  kUndo,            // a pair comes back: two tiles more
  kRedo,            // it goes again: two tiles fewer
  kClearableOn,     // clearable shuffles from now on
  kClearableOff,
  kSolve,           // a clearing found names a pair per two tiles left
  kSafeHint,        // like a hint: two cells
  kCount,
};

enum class ObjectsMode : std::uint8_t {
  kNewOther,        // a new object in the other slot (replacing one there) becomes the one in use
  kDestroyOther,    // the object in the other slot is destroyed
  kSwitch,          // the other slot's object is used from now on (made when empty)
  kReplaceCurrent,  // the object in use is destroyed and a new one takes its place
  kCount,
};

// What the host does when it is told the game is over: header byte modulo kCount.
enum class GameOverReaction : std::uint8_t { kNothing, kSetUpAgain, kTick, kCount };

struct SetUpFields {
  std::uint16_t w = 6, h = 5, c = 3, r = 4;  // 16 bits: values the board cuts to 8 bits too
  std::uint16_t screenWidth = 36, screenHeight = 30;
  std::uint8_t bits = 0;  // below kBitsRaw: 32; else bits - kBitsRaw
  std::int32_t zeroX = 0, zeroY = 0;
  std::uint8_t icons = 0;       // FuzzArtFolder::Series choice
  std::uint16_t frames = 3;     // "animationFrames"
  std::uint8_t animation = 7;   // FuzzArtFolder::Series choice: the trail frames
};
inline constexpr std::uint8_t kBitsRaw = 200;

// A raw text's characters: a byte below kWideEscape is that character; kWideEscape or
// above is followed by a 32-bit value that is the character, whatever it is.
inline constexpr std::uint8_t kWideEscape = 0xF0;
inline constexpr std::size_t kMaxRawChars = 2048;

class ScriptWriter {
 public:
  explicit ScriptWriter(GameOverReaction reaction = GameOverReaction::kNothing) {
    m_out.U8(static_cast<unsigned>(reaction));
  }
  ScriptWriter& SetUp(const SetUpFields& f, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kSetUp).U16(f.w).U16(f.h).U16(f.c).U16(f.r).U16(f.screenWidth).U16(f.screenHeight).U8(f.bits);
    m_out.I32(f.zeroX).I32(f.zeroY).U8(f.icons).U16(f.frames).U8(f.animation);
    return Spoils(spoils);
  }
  ScriptWriter& Choose(std::uint8_t picture, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kChoose).U8(picture);
    return Spoils(spoils);
  }
  ScriptWriter& TimeBar(std::uint8_t picture, std::int32_t x, std::int32_t y, std::int32_t time,
                        std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kTimeBar).U8(picture).I32(x).I32(y).I32(time);
    return Spoils(spoils);
  }
  ScriptWriter& Sounds(std::uint8_t mask, std::uint8_t sound, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kSounds).U8(mask).U8(sound);
    return Spoils(spoils);
  }
  ScriptWriter& ScoreStep(std::int32_t markAdd, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kScoreStep).I32(markAdd);
    return Spoils(spoils);
  }
  ScriptWriter& Ticks(std::uint8_t count) {
    Op(Step::kTicks).U8(count);
    return *this;
  }
  ScriptWriter& Click(std::int32_t x, std::int32_t y, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kClick).I32(x).I32(y);
    return Spoils(spoils);
  }
  ScriptWriter& Shuffle(std::int32_t mode, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kShuffle).I32(mode);
    return Spoils(spoils);
  }
  ScriptWriter& TimeEvent(std::int32_t time, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kTimeEvent).I32(time);
    return Spoils(spoils);
  }
  ScriptWriter& Query(std::int32_t type, std::initializer_list<SpoilStep> spoils = {}) {
    Op(Step::kQuery).I32(type);
    return Spoils(spoils);
  }
  ScriptWriter& AdvanceClock(std::uint16_t ms) {
    Op(Step::kAdvanceClock).U16(ms);
    return *this;
  }
  ScriptWriter& RawCommand(const std::wstring& text) { return Raw(Step::kRawCommand, text); }
  ScriptWriter& RawEvent(const std::wstring& text) { return Raw(Step::kRawEvent, text); }
  ScriptWriter& Hint() {
    Op(Step::kHint);
    return *this;
  }
  ScriptWriter& FollowHint() {
    Op(Step::kFollowHint);
    return *this;
  }
  ScriptWriter& HandBuffer(std::uint8_t mode) {
    Op(Step::kHandBuffer).U8(mode);
    return *this;
  }
  ScriptWriter& Objects(ObjectsMode mode) {
    Op(Step::kObjects).U8(static_cast<unsigned>(mode));
    return *this;
  }
  ScriptWriter& Extension(ExtensionMode mode) {
    Op(Step::kExtension).U8(static_cast<unsigned>(mode));
    return *this;
  }
  const std::vector<std::uint8_t>& Data() const { return m_out.Data(); }

 private:
  ByteWriter& Op(Step step) { return m_out.U8(static_cast<unsigned>(step)); }
  ScriptWriter& Spoils(std::initializer_list<SpoilStep> spoils) {
    m_out.U8(static_cast<unsigned>(spoils.size()));
    for (const SpoilStep& s : spoils) m_out.U8(s.kind).U8(s.pair).U8(s.arg);
    return *this;
  }
  ScriptWriter& Raw(Step step, const std::wstring& text) {
    Op(step).U16(static_cast<unsigned>(text.size()));
    for (wchar_t c : text) {
      const auto code = static_cast<std::uint32_t>(c);
      if (code < kWideEscape) {
        m_out.U8(code);
      } else {
        m_out.U8(kWideEscape).U32(code);
      }
    }
    return *this;
  }

  ByteWriter m_out;
};

inline SpoilStep MakeSpoil(Spoil kind, std::uint8_t pair, std::uint8_t arg = 0) {
  return {static_cast<std::uint8_t>(kind), pair, arg};
}

}  // namespace kavelo::fuzz
