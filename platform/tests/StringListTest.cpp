#include "StringList.h"

#include <gtest/gtest.h>

#include "Exceptions.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

using V = std::vector<std::string>;

TEST(StringListValues, NameValuePairsIgnoreCaseByDefault) {
  TStringList list;
  list.Add("Sys001=1");
  list.Add("plain");
  list.Add("Sys002=/");
  list.Add("Empty=");
  list.Add("Sys001=second");
  EXPECT_EQ(list.Values("SYS001"), "1") << "the first match wins";
  EXPECT_EQ(list.IndexOfName("sys002"), 2);
  EXPECT_EQ(list.IndexOfName("plain"), -1) << "an item without '=' has no name";
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.ValueFromIndex(1), "") << "no separator, no value";
  EXPECT_EQ(list.ValueFromIndex(2), "/");
  EXPECT_EQ(list.IndexOfName("Empty"), 3);

  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName("SYS001"), -1);
}

TEST(StringListValues, SettingAddsReplacesAndRemoves) {
  TStringList list;
  list.SetValues("a", "1");
  list.SetValues("b", "x=y");
  list.SetValues("A", "2");
  EXPECT_EQ(Items(list), (V{"A=2", "b=x=y"}));
  EXPECT_EQ(list.Values("b"), "x=y") << "only the first '=' separates";
  list.SetValues("a", "");
  EXPECT_EQ(Items(list), (V{"b=x=y"}));
  list.SetValues("absent", "");
  EXPECT_EQ(list.Count(), 1);
  list.SetNameValueSeparator(':');
  list.Add("k:v");
  EXPECT_EQ(list.Values("K"), "v");
}

struct TTextCase {
  const char* Text;
  V Expected;
};

TEST(StringListText, SplitsOnEveryLineBreakKind) {
  const TTextCase cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\rb", {"a", "", "b"}},
      {"中文\r\n第二行", {"中文", "第二行"}},
  };
  TStringList list;
  for (const TTextCase& c : cases) {
    list.SetText(c.Text);
    EXPECT_EQ(Items(list), c.Expected) << "text '" << c.Text << "'";
  }
}

TEST(StringListText, JoinsWithCrLfAfterEveryItem) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("a");
  list.Add("");
  list.Add("b");
  EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
  TStringList copy;
  copy.SetText(list.Text());
  EXPECT_TRUE(copy.Equals(list));
}

struct TDelimitedCase {
  const char* Text;
  V Items;
};

TEST(StringListDelimited, ReadsQuotesBlanksAndEmptyItems) {
  const TDelimitedCase cases[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {"\"x y\",z", {"x y", "z"}},
      {"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}},
      {"a b,c", {"a", "b", "c"}},  // an unquoted blank separates too
      {"  a ,  b  ", {"a", "b"}},
      {"\"\"", {""}},
      {"\"open", {"open"}},
      {"", {}},
  };
  TStringList list;
  for (const TDelimitedCase& c : cases) {
    list.SetCommaText(c.Text);
    EXPECT_EQ(Items(list), c.Items) << "text '" << c.Text << "'";
  }
}

TEST(StringListDelimited, WritesQuotesOnlyWhereNeeded) {
  TStringList list;
  for (const char* s : {"plain", "two words", "with,comma", "q\"uote", "", "中文"}) list.Add(s);
  EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"with,comma\",\"q\"\"uote\",,中文");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(list));

  TStringList single;
  single.Add("");
  EXPECT_EQ(single.CommaText(), "\"\"");
}

TEST(StringListDelimited, OwnDelimiterQuoteAndStrictMode) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("a b;'c;d';e");
  EXPECT_EQ(Items(list), (V{"a", "b", "c;d", "e"}));
  list.SetStrictDelimiter(true);
  list.SetDelimitedText("a b; c;'d'");
  EXPECT_EQ(Items(list), (V{"a b", " c", "d"}));
  EXPECT_EQ(list.DelimitedText(), "a b; c;d");
  EXPECT_EQ(list.CommaText(), "\"a b\",\" c\",d") << "CommaText keeps its own rules";
}

TEST(StringListSorted, DuplicatesFollowTheSetting) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add("c"), 2);
  EXPECT_EQ(list.Add("B"), 1) << "ignored duplicates answer the existing index";
  EXPECT_EQ(Items(list), (V{"a", "b", "c"}));

  list.SetDuplicates(dupAccept);
  list.Add("B");
  EXPECT_EQ(list.Count(), 4);
  int index = -1;
  EXPECT_TRUE(list.Find("b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("bb", index));
  EXPECT_EQ(index, 3);

  list.SetDuplicates(dupError);
  try {
    list.Add("A");
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringListSorted, OrderChangingOperationsAreRefusedWithoutLoss) {
  TStringList list;
  list.SetSorted(true);
  list.Add("a");
  list.Add("b");
  EXPECT_THROW(list.Insert(0, "z"), EListError);
  EXPECT_THROW(list.SetStrings(0, "z"), EListError);
  EXPECT_THROW(list.Move(0, 1), EListError);
  EXPECT_EQ(Items(list), (V{"a", "b"}));
}

TEST(StringListSorted, SortingIsStableAndCarriesObjects) {
  int one = 1, two = 2, three = 3;
  TStringList list;
  list.AddObject("b", &one);
  list.AddObject("A", &two);
  list.AddObject("a", &three);
  list.Sort();
  EXPECT_EQ(Items(list), (V{"A", "a", "b"}));
  EXPECT_EQ(list.Objects(0), &two);
  EXPECT_EQ(list.Objects(1), &three);
  EXPECT_EQ(list.Objects(2), &one);

  list.SetCaseSensitive(true);
  list.SetSorted(true);
  EXPECT_EQ(list.IndexOf("a"), 1);
  EXPECT_EQ(list.IndexOf("B"), -1);

  TStringList numbers;
  for (const char* s : {"10", "9", "100"}) numbers.Add(s);
  numbers.CustomSort([](TStringList& l, int i, int j) {
    return std::stoi(l[i]) - std::stoi(l[j]);
  });
  EXPECT_EQ(Items(numbers), (V{"9", "10", "100"}));
}

TEST(StringListIndexes, BadIndexesRaiseWithTheIndex) {
  TStringList list;
  list.Add("a");
  try {
    list.Get(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Insert(2, "x"), EListError);
  EXPECT_THROW(list.Exchange(0, 1), EListError);
  EXPECT_THROW(list.Move(0, 1), EListError);
  EXPECT_EQ(Items(list), (V{"a"}));
  list.Insert(1, "b");
  EXPECT_EQ(Items(list), (V{"a", "b"}));
}

TEST(StringListEdits, ExchangeMoveAndCopiesKeepObjects) {
  int x = 0, y = 0;
  TStringList list;
  list.AddObject("x", &x);
  list.AddObject("y", &y);
  list.Add("z");
  list.Exchange(0, 1);
  EXPECT_EQ(Items(list), (V{"y", "x", "z"}));
  EXPECT_EQ(list.Objects(0), &y);
  list.Move(0, 2);
  EXPECT_EQ(Items(list), (V{"x", "z", "y"}));
  EXPECT_EQ(list.Objects(2), &y);
  EXPECT_EQ(list.IndexOfObject(&x), 0);

  TStringList copy;
  copy.Add("old");
  copy.Assign(list);
  EXPECT_EQ(Items(copy), (V{"x", "z", "y"}));
  EXPECT_EQ(copy.Objects(0), &x);
  copy.AddStrings(list);
  EXPECT_EQ(copy.Count(), 6);
  EXPECT_EQ(list.IndexOf("Z"), 1);
}

TEST(StringListEvents, ChangesAreReportedOncePerUpdateBlock) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TStringList&) { ++changing; };
  list.OnChange = [&](TStringList& sender) {
    ++changed;
    EXPECT_EQ(&sender, &list);
  };
  list.Add("a");
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText("x\r\ny");
  EXPECT_EQ(changed, 3) << "setting the text is one change";
}

}  // namespace
