#pragma once
// Plays a protocol fuzz input on up to two plug-in objects, as a host that keeps the
// host contract (a buffer as large as every accepted frame) but sends anything else.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include <PlgKavelo/KaveloFather.h>

#include "fuzz/FuzzArtFolder.h"
#include "fuzz/FuzzBytes.h"
#include "fuzz/ProtocolScript.h"

namespace kavelo::fuzz {

// The largest frame a fuzzed set-up is given a buffer for, to keep each tick quick.
// Larger frames that the plug-in refuses get no buffer; larger ones it would accept are
// not sent.
inline constexpr std::int64_t kMaxFramePixels = std::int64_t{1} << 16;
// Steps played from one input at most.
inline constexpr int kMaxSteps = 256;

class FuzzHost : public CKaveloFather {
 public:
  explicit FuzzHost(GameOverReaction reaction) : m_reaction(reaction) {}

  // Sends a command; a set-up command first gets a buffer sized for the frame it asks
  // for, read from the text exactly as the plug-in reads it. -1 for a set-up not sent.
  int Command(const std::wstring& text);
  void HandBuffer(bool present);

  int OnGdiDataChange() override;
  void OnGameOver(int result) override;

 private:
  GameOverReaction m_reaction;
  std::unique_ptr<char[]> m_buffer;  // exactly the frame's size, so that a write past it is caught
  std::wstring m_lastSetUp;
  int m_callbackDepth = 0;
};

class ProtocolPlayer {
 public:
  explicit ProtocolPlayer(const FuzzArtFolder& art) : m_art(art) {}
  // Plays the input, destroys every object and checks that nothing is left behind; a
  // broken promise aborts, so the fuzzer reports it.
  void Play(std::span<const std::uint8_t> input);

 private:
  void PlayStep(ByteReader& in);
  FuzzHost& Current();
  std::wstring ReadRawText(ByteReader& in);
  static void ReadSpoils(ByteReader& in, ProtocolText& text);
  void ClickCell(int x, int y);
  void ChangeObjects(ObjectsMode mode);
  void UseExtension(ExtensionMode mode);
  void CheckQueries();

  const FuzzArtFolder& m_art;
  GameOverReaction m_reaction = GameOverReaction::kNothing;
  std::unique_ptr<FuzzHost> m_slots[2];
  int m_current = 0;
};

// The stepped clock every protocol input runs on; moved on by kAdvanceClock steps.
void InstallSteppedClock();
void AdvanceSteppedClock(std::uint64_t ms);

}  // namespace kavelo::fuzz
