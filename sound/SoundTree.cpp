#include "sound/SoundTree.h"

CSoundTree::~CSoundTree() { Clear(); }

void CSoundTree::Clear() {
  FreeSubtree(m_pRoot);
  m_pRoot = nullptr;
}

// Frees without recursion and without extra memory, so that a tree as deep as it is large
// cannot exhaust the stack: while a node has a left child, the child is rotated above it;
// a node without one is freed and its right subtree is next.
void CSoundTree::FreeSubtree(TreeNode<std::wstring>* node) {
  while (node != nullptr) {
    if (TreeNode<std::wstring>* left = node->left) {
      node->left = left->right;
      left->right = node;
      node = left;
    } else {
      TreeNode<std::wstring>* right = node->right;
      delete node;
      node = right;
    }
  }
}
