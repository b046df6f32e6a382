#pragma once
// The games that the load fuzzer loads onto, and the seeds' inputs. An input is one byte
// choosing the board, one byte choosing the moves played after the load, then the bytes
// handed to LoadGame.

#include <PlgKavelo/KaveloFather.h>

#include <memory>
#include <string>
#include <vector>

namespace kavelo::fuzz {

struct SaveBoard {
  int w, h, kinds, copies;
};
// Kinds within the art's series; every kind dealt odd on the second and the last.
inline constexpr SaveBoard kSaveBoards[] = {{6, 5, 3, 4}, {8, 8, 3, 5}, {12, 9, 6, 8}, {20, 3, 2, 9}};
inline constexpr int kSaveBoardCount = sizeof kSaveBoards / sizeof kSaveBoards[0];

// A host set up on one of the boards with the fuzz art (FuzzArt.h), its own frame buffer, a
// time bar and a score step.
class SaveHost : public CKaveloFather {
 public:
  SaveHost(const std::string& art, const SaveBoard& board);
  int OnGdiDataChange() override { return 0; }
  void OnGameOver(int) override {}

  int Click(int x, int y);
  int Event(const std::wstring& text) { return InputEvent(text); }
  std::vector<unsigned char> Save() const;
  // Links the pair the hint names: its click result, -1 without a hint.
  int LinkHint();

  const SaveBoard board;

 private:
  std::vector<char> m_frame;
};

// Saves of games played on `board` to several states (fresh, selection and trail, undone,
// redone, a pair left, won, timed out, a selection a shuffle left on an empty cell).
std::vector<std::vector<unsigned char>> PlayedSaves(const std::string& art, const SaveBoard& board);

}  // namespace kavelo::fuzz
