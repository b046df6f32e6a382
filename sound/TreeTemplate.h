#pragma once
// A binary search tree keyed by a signed 32-bit integer. It is never rebalanced, and each
// key occurs at most once. The template frees nothing: the class that owns a tree defines
// Clear and calls it before the tree goes.

#include <cstdint>
#include <utility>

template <typename V>
struct TreeNode {
  std::int32_t key;
  V value;          // owned by the node
  TreeNode* left;   // the subtree of the smaller keys; null if none
  TreeNode* right;  // the subtree of the greater keys; null if none
};

template <typename V>
class TreeTemplate {
 public:
  TreeTemplate() = default;
  virtual ~TreeTemplate() = default;
  // The nodes belong to one tree; a copy would free them twice.
  TreeTemplate(const TreeTemplate&) = delete;
  TreeTemplate& operator=(const TreeTemplate&) = delete;

  // Adds a node for the key. A key that is present keeps its earlier value, and the new
  // value is dropped.
  virtual void Insert(std::int32_t key, V value) { InsertAt(m_pRoot, key, std::move(value)); }

  // Assigns the key's value to out; leaves out as it was when the key is absent.
  virtual void Find(std::int32_t key, V& out) const {
    for (const TreeNode<V>* node = m_pRoot; node != nullptr;) {
      if (key == node->key) {
        out = node->value;
        return;
      }
      node = key > node->key ? node->right : node->left;
    }
  }

  // Frees every node.
  virtual void Clear() = 0;

 protected:
  TreeNode<V>* m_pRoot = nullptr;  // null while the tree is empty

 private:
  // Walks from a link down to the null link where the key belongs. A loop rather than
  // recursion: a tree that is never rebalanced can be as deep as it has nodes.
  static void InsertAt(TreeNode<V>*& link, std::int32_t key, V value) {
    TreeNode<V>** at = &link;
    while (*at != nullptr) {
      if (key < (*at)->key) {
        at = &(*at)->left;
      } else if (key > (*at)->key) {
        at = &(*at)->right;
      } else {
        return;
      }
    }
    *at = new TreeNode<V>{key, std::move(value), nullptr, nullptr};
  }
};
