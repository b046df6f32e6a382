// The configuration commands, by the value of "param".
#include <PlgKavelo/KaveloFather.h>

#include <cstdint>
#include <new>

#include "GameClock.h"
#include "KeyValueText.h"
#include "logic/KaveloInternal.h"
#include "platform/TextCodec.h"
#include "render/KaveloFigure.h"
#include "sound/KaveloSoundPlayer.h"

using kavelo::host::kPathBufferSize;
using kavelo::host::kSuffixBufferSize;
using kavelo::host::kValueBufferSize;
using kavelo::host::KeyValueText;

namespace {

// The sound command's keys, in the order they are added, with their sound ids.
struct SoundKey {
  const char* key;
  int id;
};
constexpr SoundKey kSoundKeys[] = {{"cancel", KAVELO_SOUND_CANCEL},
                                   {"connect", KAVELO_SOUND_CONNECT},
                                   {"wrong", KAVELO_SOUND_WRONG},
                                   {"choose", KAVELO_SOUND_CHOOSE},
                                   {"win", KAVELO_SOUND_WIN}};

// Builds a new board and renderer and sets them up. A failed step leaves what was done
// before it in place.
bool SetUpGame(const KeyValueText& text, std::unique_ptr<CKaveloInternal>& board,
               std::unique_ptr<KaveloFigure>& figure) {
  board.reset();
  board.reset(new (std::nothrow) CKaveloInternal());
  figure.reset();
  if (!board) return false;
  figure.reset(new (std::nothrow) KaveloFigure(board.get()));
  if (!figure) return false;

  const int kinds = text.Integer("c", kValueBufferSize);
  if (!board->InitBoard(static_cast<std::uint8_t>(text.Integer("w", kValueBufferSize)),
                        static_cast<std::uint8_t>(text.Integer("h", kValueBufferSize)),
                        static_cast<std::uint8_t>(kinds),
                        static_cast<std::uint8_t>(text.Integer("r", kValueBufferSize)))) {
    return false;
  }
  const int width = text.Integer("screenWidth", kValueBufferSize);
  const int height = text.Integer("screenHeight", kValueBufferSize);
  const int bits = text.Integer("screenBits", kValueBufferSize);
  const int zeroX = text.Integer("zeroX", kValueBufferSize);
  const int zeroY = text.Integer("zeroY", kValueBufferSize);
  if (!figure->SetScreen(width, height, zeroX, zeroY, bits)) return false;

  const std::string iconPath = text.Text("iconPath", kPathBufferSize);
  const std::string iconType = text.Text("iconType", kSuffixBufferSize);
  if (!figure->LoadIcons(static_cast<std::uint16_t>(kinds), iconPath.c_str(), iconType.c_str())) return false;

  const int frames = text.Integer("animationFrames", kValueBufferSize);
  const std::string animationPath = text.Text("animationPath", kPathBufferSize);
  const std::string animationType = text.Text("animationType", kSuffixBufferSize);
  if (!figure->LoadAnimation(static_cast<std::uint16_t>(frames), animationPath.c_str(), animationType.c_str())) {
    return false;
  }
  board->SetTrailFrames(static_cast<std::uint8_t>(frames));
  return true;
}

// The deal command's number: empty for the clock; false for no "deal" key or a value that
// is no number of 64 bits.
bool ReadDeal(const KeyValueText& text, std::optional<std::uint64_t>& number) {
  const std::optional<std::string> value = text.Find("deal", kValueBufferSize);
  if (!value) return false;
  if (value->empty()) {
    number.reset();
    return true;
  }
  number = kavelo::host::ReadUnsigned64(*value);
  return number.has_value();
}

// The rules command's variant, by its name in KAVELO_GRAVITY_ order; nothing for no
// "gravity" key or another name.
std::optional<int> ReadGravity(const KeyValueText& text) {
  constexpr const char* kNames[] = {"none", "down", "up", "left", "right"};
  const std::optional<std::string> value = text.Find("gravity", kValueBufferSize);
  if (!value) return std::nullopt;
  for (int gravity = KAVELO_GRAVITY_NONE; gravity <= KAVELO_GRAVITY_RIGHT; ++gravity) {
    if (*value == kNames[gravity]) return gravity;
  }
  return std::nullopt;
}

std::unique_ptr<CKaveloSoundPlayer> MakeSoundPlayer(const KeyValueText& text) {
  std::unique_ptr<CKaveloSoundPlayer> player(new (std::nothrow) CKaveloSoundPlayer());
  if (!player) return nullptr;
  for (const SoundKey& sound : kSoundKeys) {
    auto path = kavelo::platform::NarrowToWide(text.Text(sound.key, kValueBufferSize));
    player->AddSound(sound.id, path ? std::move(*path) : std::wstring());
  }
  return player;
}

}  // namespace

int CKaveloFather::SetGameParam(const std::wstring& command) {
  const KeyValueText text(command);
  switch (text.Integer("param", kValueBufferSize)) {
    case KAVELO_PARAM_SET_UP:
      m_bPaused = false;
      if (!SetUpGame(text, m_pInternal, m_pFigure)) return -1;
      m_pInternal->SetSolvableShuffles(m_bSolvableShuffles);
      m_pInternal->SetGravity(static_cast<kavelo::logic::Gravity>(m_gravity));
      if (m_dealNumber) m_pInternal->DealByNumber(*m_dealNumber);
      kavelo::host::StartClock();
      m_bRunning = true;
      return 0;
    case KAVELO_PARAM_SELECTION_PICTURE:
      if (!m_bRunning || !m_pFigure) return -1;
      m_pFigure->LoadChoose(text.Text("choose", kValueBufferSize).c_str());
      return KAVELO_PARAM_SELECTION_PICTURE;
    case KAVELO_PARAM_TIME_BAR:
      if (!m_bRunning || !m_pFigure || !m_pInternal) return -1;
      m_pFigure->LoadTimeBar(text.Text("timeBar", kPathBufferSize).c_str(), text.Integer("x", kValueBufferSize),
                             text.Integer("y", kValueBufferSize));
      // The limit holds whether or not the picture loaded.
      m_pInternal->SetTimeLimit(static_cast<std::uint32_t>(text.Integer("time", kValueBufferSize)));
      return KAVELO_PARAM_TIME_BAR;
    case KAVELO_PARAM_SOUNDS:
      if (!m_bRunning) return -1;
      // The new table replaces the old one whole; built first, so that the audio device
      // stays open across the swap.
      m_pSoundPlayer = MakeSoundPlayer(text);
      return KAVELO_PARAM_SOUNDS;
    case KAVELO_PARAM_SCORE_STEP:
      if (!m_bRunning || !m_pInternal) return -1;
      m_pInternal->SetScoreStep(text.Integer("markAdd", kValueBufferSize));
      return KAVELO_PARAM_SCORE_STEP;
    case KAVELO_PARAM_DEAL: {
      std::optional<std::uint64_t> number;
      if (!ReadDeal(text, number)) return -1;
      m_dealNumber = number;
      return KAVELO_PARAM_DEAL;
    }
    case KAVELO_PARAM_RULES: {
      const std::optional<int> gravity = ReadGravity(text);
      if (!gravity || !SetGravity(*gravity)) return -1;
      return KAVELO_PARAM_RULES;
    }
    default:
      return -1;
  }
}

bool CKaveloFather::SetGravity(int gravity) {
  if (!kavelo::logic::KnownGravity(gravity)) return false;
  m_gravity = gravity;
  return true;
}

int CKaveloFather::Gravity() const {
  if (!m_pInternal || !m_pInternal->Ready()) return m_gravity;
  return static_cast<int>(m_pInternal->Gravity());
}
