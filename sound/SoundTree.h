#pragma once
// The sound table: sound id to the path of its WAV file.

#include <string>

#include "sound/TreeTemplate.h"

class CSoundTree : public TreeTemplate<std::wstring> {
 public:
  CSoundTree() = default;
  // Clears as well, so that no path leaves a node behind; after Clear there is nothing
  // left to free.
  ~CSoundTree() override;

  void Clear() override;

 private:
  static void FreeSubtree(TreeNode<std::wstring>* node);
};
