#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "sound/SoundTree.h"

namespace {

// Reaches the tree's shape, which is part of its contract.
class InspectableTree : public CSoundTree {
 public:
  const TreeNode<std::wstring>* Root() const { return m_pRoot; }
  void AdoptRoot(TreeNode<std::wstring>* root) { m_pRoot = root; }
};

// "key(left,right)", with empty text for a missing child and no brackets for a leaf.
std::string Shape(const TreeNode<std::wstring>* node) {
  if (node == nullptr) return "";
  std::string text = std::to_string(node->key);
  if (node->left || node->right) text += "(" + Shape(node->left) + "," + Shape(node->right) + ")";
  return text;
}

struct TreeCase {
  const char* name;
  std::vector<std::pair<int, std::wstring>> inserts;
  std::string shape;
  std::vector<std::pair<int, std::wstring>> found;
  std::vector<int> absent;
};

}  // namespace

TEST(SoundTreeTest, InsertsShapeTheTreeAndFindReadsIt) {
  const TreeCase cases[] = {
      {"the sound command's five ids",
       {{2, L"cancel"}, {1, L"connect"}, {0, L"wrong"}, {4, L"choose"}, {99, L"win"}},
       "2(1(0,),4(,99))",
       {{0, L"wrong"}, {1, L"connect"}, {2, L"cancel"}, {4, L"choose"}, {99, L"win"}},
       {3, 5, -1, 98, 100}},
      {"a key given twice keeps its first value",
       {{5, L"first"}, {5, L"second"}, {3, L"three"}, {5, L""}},
       "5(3,)",
       {{5, L"first"}, {3, L"three"}},
       {4, 6}},
      {"an empty value is still a value", {{7, L""}}, "7", {{7, L""}}, {0}},
      {"keys compare as signed numbers",
       {{0, L"zero"}, {-1, L"minus one"}, {INT_MAX, L"max"}, {INT_MIN, L"min"}},
       "0(-1(-2147483648,),2147483647)",
       {{-1, L"minus one"}, {INT_MIN, L"min"}, {INT_MAX, L"max"}},
       {1, -2, INT_MAX - 1}},
      {"ascending keys are never rebalanced", {{1, L"a"}, {2, L"b"}, {3, L"c"}}, "1(,2(,3))", {{3, L"c"}}, {4}},
      {"an empty tree finds nothing", {}, "", {}, {0, 2, 99}},
  };
  for (const TreeCase& c : cases) {
    SCOPED_TRACE(c.name);
    InspectableTree tree;
    for (const auto& [key, value] : c.inserts) tree.Insert(key, value);
    EXPECT_EQ(Shape(tree.Root()), c.shape);
    for (const auto& [key, value] : c.found) {
      std::wstring out = L"not looked up";
      tree.Find(key, out);
      EXPECT_EQ(out, value) << "key " << key;
    }
    for (int key : c.absent) {
      std::wstring out = L"the caller's own";
      tree.Find(key, out);
      EXPECT_EQ(out, L"the caller's own") << "key " << key;
    }
  }
}

TEST(SoundTreeTest, ATreeAsDeepAsItIsLargeIsSearchedExtendedAndFreed) {
  constexpr int kDepth = 1000000;  // far deeper than a thread's stack allows recursion
  InspectableTree tree;
  TreeNode<std::wstring>* root = nullptr;
  for (int key = kDepth; key >= 1; --key) root = new TreeNode<std::wstring>{key, L"", nullptr, root};
  tree.AdoptRoot(root);
  tree.Insert(kDepth + 1, L"deepest");
  std::wstring out;
  tree.Find(kDepth + 1, out);
  EXPECT_EQ(out, L"deepest");
  tree.Clear();
  EXPECT_EQ(tree.Root(), nullptr);
  tree.Find(kDepth, out);
  EXPECT_EQ(out, L"deepest") << "a cleared tree finds nothing";
  tree.Insert(1, L"again");  // freed by the tree's own end, or the leak check reports it
}
