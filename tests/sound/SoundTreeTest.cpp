#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sound/SoundTree.h"

namespace {

// Reaches the tree's shape, which is part of its contract.
class InspectableTree : public CSoundTree {
 public:
  TreeNode<std::wstring>*& Root() { return m_pRoot; }
};

// "key(left,right)", with empty text for a missing child and no brackets for a leaf.
std::string Shape(const TreeNode<std::wstring>* node) {
  if (node == nullptr) return "";
  std::string text = std::to_string(node->key);
  if (node->left || node->right) text += "(" + Shape(node->left) + "," + Shape(node->right) + ")";
  return text;
}

const std::wstring kUntouched = L"the caller's own";  // what Find leaves for an absent key

}  // namespace

// The tree frees its nodes at its end, or the leak check reports them.
TEST(SoundTreeTest, TheSoundCommandsIdsShapeTheTreeAndEachKeyKeepsItsFirstValue) {
  InspectableTree tree;
  const std::pair<int, std::wstring> inserts[] = {{2, L"cancel"}, {1, L"connect"}, {0, L"wrong"}, {4, L"choose"},
                                                  {99, L"win"},    {4, L"again"},    {2, L""}};
  for (const auto& [key, value] : inserts) tree.Insert(key, value);
  EXPECT_EQ(Shape(tree.Root()), "2(1(0,),4(,99))");
  const std::pair<int, std::wstring> found[] = {{0, L"wrong"},   {1, L"connect"}, {2, L"cancel"},  {4, L"choose"},
                                                {99, L"win"},    {-1, kUntouched}, {3, kUntouched}, {98, kUntouched},
                                                {100, kUntouched}};
  for (const auto& [key, value] : found) {
    std::wstring out = kUntouched;
    tree.Find(key, out);
    EXPECT_EQ(out, value) << "key " << key;
  }
}

TEST(SoundTreeTest, ATreeAsDeepAsItIsLargeIsFreedWithoutRecursion) {
  InspectableTree tree;  // far deeper than a thread's stack allows recursion
  for (int key = 1000000; key >= 1; --key) tree.Root() = new TreeNode<std::wstring>{key, L"", nullptr, tree.Root()};
  tree.Clear();
  EXPECT_EQ(tree.Root(), nullptr);
}
