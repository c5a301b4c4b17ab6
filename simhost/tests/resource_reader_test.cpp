// The resource reader on good and broken files: the block grammar, the symbol
// enum, string files, whole resource folders and dialog descriptions,
// including the shipped res folder of the plug-in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "resource/res_syntax.h"
#include "resource/resource_set.h"

namespace simhost::res {
namespace {

namespace fs = std::filesystem;

std::string BlockError(const std::string& text) {
  std::vector<Node> nodes;
  ResError error;
  if (ParseBlocks(text, nodes, error)) return "ok";
  return std::to_string(error.line) + ": " + error.text;
}

TEST(ResourceGrammar, ReadsNestedBlocksStatementsAndComments) {
  std::vector<Node> nodes;
  ResError error;
  ASSERT_TRUE(
      ParseBlocks("// heading\r\nDIALOG DLG_X /* inline */ {\n  NAME IDS_T; SCALE_H;\n"
                  "  GROUP { COLUMNS 2; COMBOBOX IDC_A { CHILDS { 6000, \"None\"; "
                  "6001, IDS_B; } } }\n}\n",
                  nodes, error))
      << error.Format();
  ASSERT_EQ(nodes.size(), 1u);
  const Node& dialog = nodes[0];
  EXPECT_TRUE(dialog.block);
  EXPECT_EQ(dialog.line, 2);
  ASSERT_EQ(dialog.words.size(), 2u);
  EXPECT_EQ(dialog.words[1].text, "DLG_X");
  ASSERT_EQ(dialog.children.size(), 3u);
  EXPECT_EQ(dialog.children[0].words[1].text, "IDS_T");
  const Node& combo = dialog.children[2].children[1];
  const Node& childs = combo.children[0];
  ASSERT_EQ(childs.children.size(), 2u);
  EXPECT_EQ(childs.children[0].words[0].number, 6000);
  EXPECT_EQ(childs.children[0].words[1].kind, Token::Kind::String);
  EXPECT_EQ(childs.children[0].words[1].text, "None");
}

TEST(ResourceGrammar, CountsLinesAlikeForLfCrLfAndLoneCr) {
  // The broken statement is on line 3 whichever line ends the file uses.
  for (const char* eol : {"\n", "\r\n", "\r"}) {
    std::string text = std::string("A {") + eol + "  B;" + eol + "  C }" + eol;
    EXPECT_EQ(BlockError(text), "3: expected ';' before '}'") << "line end " << int(eol[0]);
  }
  // Line counting goes on inside block comments.
  EXPECT_EQ(BlockError("/* one\r\ntwo\rthree */ A { \"x\n"), "3: unterminated string");
}

TEST(ResourceGrammar, ReportsBrokenFilesWithTheirLine) {
  EXPECT_EQ(BlockError("A {\n  B { C; }\n"), "3: expected '}' to close 'A' opened at line 1");
  EXPECT_EQ(BlockError("A { B; }\n}\n"), "2: unexpected '}'");
  EXPECT_EQ(BlockError("A {\n  NAME \"open\n}\n"), "2: unterminated string");
  EXPECT_EQ(BlockError("A {\n /* never closed\n}\n"), "2: unterminated comment");
  EXPECT_EQ(BlockError("A { B C }"), "1: expected ';' before '}'");
  EXPECT_EQ(BlockError("A {\n { B; }\n}"), "2: unexpected '{'");
  EXPECT_EQ(BlockError("A { SIZE 1,, 2; }"), "1: unexpected ','");
  EXPECT_EQ(BlockError("A { B = 1; }"), "1: unexpected character '='");
  EXPECT_EQ(BlockError("A { N \"bad \\q\"; }"), "1: unknown escape '\\q' in string");
  EXPECT_EQ(BlockError("A { SIZE 99999999999; }"), "1: number out of 32-bit range");
  EXPECT_EQ(BlockError("A { SIZE -5555555555555555555555555555; }"),
            "1: number out of 32-bit range");
  EXPECT_EQ(BlockError("A { SIZE 0x123456789abcdef0123; }"), "1: number out of 32-bit range");
  EXPECT_EQ(BlockError("A { SIZE 12ab; }"), "1: malformed number");
  EXPECT_EQ(BlockError("A { B; } C"), "1: expected ';' before end of file");
}

TEST(ResourceSymbols, ReadsTheEnumLikeACompiler) {
  Symbols s;
  ResError error;
  ASSERT_TRUE(
      ParseSymbols("#ifndef X\n#define X\nenum\n{\n  // dialog\n  DLG_A = 10001,\n"
                   "  IDC_B = 10002, /* next: */ IDC_C,\n  IDC_D = -5,\n"
                   "  IDC_E = 0x10, IDC_F = IDC_B,\n  _DUMMY_ELEMENT_\n};\n#endif\n",
                   s, error))
      << error.Format();
  int32_t v = 0;
  EXPECT_TRUE(s.Find("IDC_C", v));
  EXPECT_EQ(v, 10003);
  EXPECT_TRUE(s.Find("IDC_D", v));
  EXPECT_EQ(v, -5);
  EXPECT_TRUE(s.Find("IDC_E", v));
  EXPECT_EQ(v, 16);
  EXPECT_TRUE(s.Find("IDC_F", v));
  EXPECT_EQ(v, 10002);
  EXPECT_TRUE(s.Find("_DUMMY_ELEMENT_", v));
  EXPECT_EQ(v, 10003);
  EXPECT_EQ(s.NameOf(10002, "IDC_"), "IDC_B");
  EXPECT_EQ(s.NameOf(10001, "DLG_"), "DLG_A");
  EXPECT_EQ(s.NameOf(10002, "DLG_"), "");
  EXPECT_FALSE(s.Find("IDC_Z", v));
}

TEST(ResourceSymbols, RejectsWhatACompilerWouldReject) {
  auto err = [](const std::string& text) {
    Symbols s;
    ResError error;
    return ParseSymbols(text, s, error) ? std::string("ok")
                                        : std::to_string(error.line) + ": " + error.text;
  };
  EXPECT_EQ(err("enum { A = 1,\n A = 2 };"), "2: symbol 'A' defined twice");
  EXPECT_EQ(err("enum { A = B };"), "1: unknown symbol 'B'");
  EXPECT_EQ(err("enum { A = 1\n B = 2 };"), "2: expected ',' or '}', found 'B'");
  EXPECT_EQ(err("int x;"), "1: expected 'enum', found 'int'");
  EXPECT_EQ(err("// nothing\n"), "2: no enum of symbols");
  EXPECT_EQ(err("enum { A = 2147483647, B };"), "1: 'B' is out of range");
}

TEST(ResourceStrings, ReadsBothKindsOfStringFile) {
  StringFile f;
  ResError error;
  ASSERT_TRUE(
      ParseStringFile("STRINGTABLE\r{\r  IDS_A \"Brevio\";\r  IDS_B \"Gr\\u00fc\\u00dfe "
                      "\\\"quoted\\\"\";\r}\r",
                      f, error))
      << error.Format();
  EXPECT_EQ(f.kind, "STRINGTABLE");
  ASSERT_EQ(f.entries.size(), 2u);
  EXPECT_EQ(f.entries[1].second,
            "Gr\xC3\xBC\xC3\x9F"
            "e \"quoted\"");
  ASSERT_TRUE(ParseStringFile("DIALOGSTRINGS DLG_A { IDS_T \"Title\"; }", f, error));
  EXPECT_EQ(f.kind, "DIALOGSTRINGS");
  EXPECT_EQ(f.dialog, "DLG_A");

  auto err = [](const std::string& text) {
    StringFile s;
    ResError e;
    return ParseStringFile(text, s, e) ? std::string("ok") : std::to_string(e.line) + ": " + e.text;
  };
  EXPECT_EQ(err("STRINGTABLE { IDS_A \"x\";\n IDS_A \"y\"; }"),
            "2: string 'IDS_A' defined twice (first at line 1)");
  EXPECT_EQ(err("STRINGTABLE { IDS_A; }"), "1: expected NAME \"text\";");
  EXPECT_EQ(err("STRINGTABLE {\n IDS_A \"x\n }"), "2: unterminated string");
  EXPECT_EQ(err("DIALOGSTRINGS { IDS_A \"x\"; }"),
            "1: DIALOGSTRINGS needs the dialog's symbol name");
  EXPECT_EQ(err("STRINGS { }"), "1: expected STRINGTABLE or DIALOGSTRINGS block");
}

// The module is handed these texts as they are: one that is not UTF-8 would
// be blamed on the plug-in when its layer copies it back.
TEST(ResourceStrings, TextThatIsNotUtf8IsRefusedWithItsLine) {
  auto read = [](const std::string& text) {
    StringFile s;
    ResError e;
    if (!ParseStringFile("STRINGTABLE {\n IDS_A " + text + ";\n}", s, e))
      return std::to_string(e.line) + ": " + e.text;
    return s.entries.at(0).second;
  };
  EXPECT_EQ(read("\"a\\uD83D\""), "2: \\uD83D is half of a surrogate pair, not a character");
  EXPECT_EQ(read("\"\\uDE00b\""), "2: \\uDE00 is half of a surrogate pair, not a character");
  EXPECT_EQ(read("\"\\uD83Dx\\u0041\""), "2: \\uD83D is half of a surrogate pair, not a character");
  EXPECT_EQ(read("\"Gr\xFC\xDF"
                 "e\""),
            "2: the string is not valid UTF-8");                        // Latin-1
  EXPECT_EQ(read("\"\xC0\xAF\""), "2: the string is not valid UTF-8");  // overlong
  // A pair is one character beyond U+FFFF.
  EXPECT_EQ(read("\"\\uD83D\\uDE00\""), "\xF0\x9F\x98\x80");
}

// A res folder written file by file into a fresh temporary folder.
class ResFolder : public ::testing::Test {
 protected:
  ResFolder() {
    root_ = fs::temp_directory_path() / ("brevio-res-" + std::to_string(std::random_device{}()));
    folder_ = (root_ / "res").generic_string();
    Write("c4d_symbols.h",
          "enum {\n  DLG_TEST = 10001,\n  IDC_COMBO = 10002,\n  IDC_CHECK = 10003,\n"
          "  IDC_BUTTON = 10004,\n  IDS_NAME = 20000,\n  IDS_TITLE,\n  IDS_ITEM,\n"
          "  _DUMMY_ELEMENT_\n};\n");
    Write("strings_en-US/c4d_strings.str", "STRINGTABLE { IDS_NAME \"Tester\"; }\n");
    Write("strings_en-US/dialogs/test.str",
          "DIALOGSTRINGS DLG_TEST {\n  IDS_TITLE \"Test dialog\";\n  IDS_LABEL \"Mode\";\n"
          "  IDS_ITEM \"Second\";\n  IDS_CHECK \"Keep shadows\";\n  IDS_GROUP \"Options\";\n}\n");
    Write("dialogs/test.res", kGoodDialog);
  }
  ~ResFolder() override { fs::remove_all(root_); }

  void Write(const std::string& relative, const std::string& text) {
    fs::path p = fs::path(folder_) / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }

  ResourceSet Loaded() {
    ResourceSet set;
    ResError error;
    EXPECT_EQ(LoadResourceSet(folder_, set, error), LoadResult::Ok) << error.Format();
    return set;
  }

  // The formatted fault of loading description 10001 ("ok" when it loads).
  std::string DialogError() {
    ResourceSet set = Loaded();
    DialogDescription d;
    ResError error;
    return LoadDialogDescription(set, 10001, d, error) ? "ok" : error.Format();
  }

  static constexpr const char* kGoodDialog =
      "DIALOG DLG_TEST\n"
      "{\n"
      "  NAME IDS_TITLE; SCALE_H;\n"
      "  STATICTEXT { NAME IDS_LABEL; }\n"
      "  COMBOBOX IDC_COMBO { SCALE_H; CHILDS { 1, \"First\"; 2, IDS_ITEM; } }\n"
      "  GROUP {\n"
      "    NAME IDS_GROUP; BORDERSTYLE BORDER_GROUP_IN; BORDERSIZE 4, 4, 4, 4; COLUMNS 1;\n"
      "    GROUP { CHECKBOX IDC_CHECK { NAME IDS_CHECK; ALIGN_LEFT; } }\n"
      "  }\n"
      "  BUTTON 10004 { NAME \"Go\"; }\n"
      "}\n";

  fs::path root_;
  std::string folder_;
};

TEST_F(ResFolder, LoadsSymbolsStringsAndADescription) {
  ResourceSet set = Loaded();
  EXPECT_EQ(set.strings.at(20000), "Tester");
  DialogDescription d;
  ResError error;
  ASSERT_TRUE(LoadDialogDescription(set, 10001, d, error)) << error.Format();
  EXPECT_EQ(d.symbol, "DLG_TEST");
  EXPECT_EQ(d.title, "Test dialog");
  std::vector<std::pair<int32_t, DescGadget::Kind>> kinds;
  for (const auto& g : d.gadgets) kinds.emplace_back(g.id, g.kind);
  using K = DescGadget::Kind;
  EXPECT_EQ(kinds, (std::vector<std::pair<int32_t, K>>{
                       {-1, K::Text}, {10002, K::Combo}, {10003, K::Check}, {10004, K::Button}}));
  const DescGadget& combo = d.gadgets[1];
  EXPECT_EQ(combo.caption, "Mode");  // from the label right before it
  EXPECT_EQ(combo.symbol, "IDC_COMBO");
  EXPECT_EQ(combo.items,
            (std::vector<std::pair<int32_t, std::string>>{{1, "First"}, {2, "Second"}}));
  EXPECT_EQ(d.gadgets[2].caption, "Keep shadows");
  EXPECT_EQ(d.gadgets[2].section, "Options");  // unnamed inner group: the outer name
  EXPECT_EQ(d.gadgets[3].caption, "Go");
  EXPECT_EQ(d.gadgets[3].section, "");
}

TEST_F(ResFolder, MissingFolderOrSymbolsIsNoSetAndNoFault) {
  ResourceSet set;
  ResError error;
  EXPECT_EQ(LoadResourceSet((root_ / "nothing").string(), set, error), LoadResult::Missing);
  fs::remove(fs::path(folder_) / "c4d_symbols.h");
  EXPECT_EQ(LoadResourceSet(folder_, set, error), LoadResult::Missing);
}

TEST_F(ResFolder, BrokenSetFilesNameFileAndLine) {
  ResourceSet set;
  ResError error;
  Write("strings_en-US/c4d_strings.str",
        "STRINGTABLE {\n  IDS_NAME \"Tester\";\n  IDS_NOPE \"x\";\n}\n");
  EXPECT_EQ(LoadResourceSet(folder_, set, error), LoadResult::Malformed);
  EXPECT_EQ(error.Format(), "res/strings_en-US/c4d_strings.str:3: unknown symbol 'IDS_NOPE'");
  EXPECT_EQ(error.path, folder_ + "/strings_en-US/c4d_strings.str");

  Write("strings_en-US/c4d_strings.str", "STRINGTABLE {\r  IDS_NAME \"Tester;\r}\r");
  EXPECT_EQ(LoadResourceSet(folder_, set, error), LoadResult::Malformed);
  EXPECT_EQ(error.Format(), "res/strings_en-US/c4d_strings.str:2: unterminated string");

  Write("c4d_symbols.h", "enum {\n  DLG_TEST = 10001\n  IDC_COMBO\n};\n");
  EXPECT_EQ(LoadResourceSet(folder_, set, error), LoadResult::Malformed);
  EXPECT_EQ(error.Format(), "res/c4d_symbols.h:3: expected ',' or '}', found 'IDC_COMBO'");
}

TEST_F(ResFolder, StringTableIsOptional) {
  fs::remove(fs::path(folder_) / "strings_en-US/c4d_strings.str");
  EXPECT_TRUE(Loaded().strings.empty());
}

TEST_F(ResFolder, BrokenDescriptionsNameFileAndLine) {
  const std::string good = kGoodDialog;
  auto with = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    Write("dialogs/test.res", text);
    return DialogError();
  };
  EXPECT_EQ(DialogError(), "ok");
  EXPECT_EQ(with("COMBOBOX IDC_COMBO", "COMBOBOX IDC_NOPE"),
            "res/dialogs/test.res:5: unknown symbol 'IDC_NOPE'");
  EXPECT_EQ(with("  BUTTON 10004 { NAME \"Go\"; }\n}\n", "  BUTTON 10004 { NAME \"Go\"; }\n"),
            "res/dialogs/test.res:11: expected '}' to close 'DIALOG' opened at line 1");
  EXPECT_EQ(with("NAME IDS_CHECK;", "NAME IDS_CHEK;"),
            "res/dialogs/test.res:8: no string 'IDS_CHEK' in res/strings_en-US/dialogs/test.str");
  EXPECT_EQ(with("STATICTEXT", "EDITTEXT"), "res/dialogs/test.res:4: unknown element 'EDITTEXT'");
  EXPECT_EQ(with("ALIGN_LEFT;", "ALIGN_LEFTT;"),
            "res/dialogs/test.res:8: unknown keyword 'ALIGN_LEFTT' in CHECKBOX");
  EXPECT_EQ(with("COLUMNS 1;", "COLUMNS;"), "res/dialogs/test.res:7: COLUMNS takes 1 number(s)");
  EXPECT_EQ(with("BUTTON 10004", "BUTTON IDC_CHECK"),
            "res/dialogs/test.res:10: id 10003 used twice in the dialog");
  EXPECT_EQ(with("BUTTON 10004", "BUTTON"), "res/dialogs/test.res:10: BUTTON needs an id");
  EXPECT_EQ(with("2, IDS_ITEM;", "1, IDS_ITEM;"),
            "res/dialogs/test.res:5: combo item 1 listed twice");
  EXPECT_EQ(with("DIALOG DLG_TEST", "DIALOG DLG_OTHER"),
            "res/dialogs/test.res:1: expected one block DIALOG DLG_TEST");
  EXPECT_EQ(with("CHECKBOX IDC_CHECK { NAME", "CHECKBOX IDC_CHECK { CHILDS { 1, \"a\"; } NAME"),
            "res/dialogs/test.res:8: CHILDS belongs to a COMBOBOX, not to CHECKBOX");
}

TEST_F(ResFolder, DescriptionNeedsItsSymbolFileAndStrings) {
  ResourceSet set = Loaded();
  DialogDescription d;
  ResError error;
  EXPECT_FALSE(LoadDialogDescription(set, 10002, d, error));
  EXPECT_EQ(error.text, "no DLG_ symbol with the value 10002");

  Write("strings_en-US/dialogs/test.str", "DIALOGSTRINGS DLG_WRONG { IDS_TITLE \"x\"; }\n");
  EXPECT_EQ(DialogError(), "res/strings_en-US/dialogs/test.str:1: expected DIALOGSTRINGS DLG_TEST");

  Write("strings_en-US/dialogs/test.str",
        "DIALOGSTRINGS DLG_TEST {\n  IDS_TITLE \"Test \\uDC00\";\n}\n");
  EXPECT_EQ(DialogError(),
            "res/strings_en-US/dialogs/test.str:2: \\uDC00 is half of a surrogate pair, not a "
            "character");
#ifndef _WIN32
  // A named pipe is not waited on, and is not taken for a missing file.
  fs::remove(fs::path(folder_) / "strings_en-US/dialogs/test.str");
  ASSERT_EQ(mkfifo((fs::path(folder_) / "strings_en-US/dialogs/test.str").c_str(), 0644), 0);
  EXPECT_EQ(DialogError(), "res/strings_en-US/dialogs/test.str: a named pipe, not a regular file");
#endif

  fs::remove(fs::path(folder_) / "strings_en-US/dialogs/test.str");
  EXPECT_EQ(DialogError(),
            "res/dialogs/test.res:3: no string 'IDS_TITLE' in "
            "res/strings_en-US/dialogs/test.str");

  fs::remove(fs::path(folder_) / "dialogs/test.res");
  EXPECT_EQ(DialogError(), "res/dialogs/test.res: no dialog description for DLG_TEST");
#ifndef _WIN32
  ResourceSet piped;
  fs::remove(fs::path(folder_) / "c4d_symbols.h");
  ASSERT_EQ(mkfifo((fs::path(folder_) / "c4d_symbols.h").c_str(), 0644), 0);
  EXPECT_EQ(LoadResourceSet(folder_, piped, error), LoadResult::Malformed);
  EXPECT_EQ(error.Format(), "res/c4d_symbols.h: a named pipe, not a regular file");
#endif
}

// The res folder that ships beside the module.
TEST(ShippedResources, DescribeEveryGadgetOfTheBrevioWindow) {
  ResourceSet set;
  ResError error;
  ASSERT_EQ(LoadResourceSet(std::string(BREVIO_SOURCE_DIR) + "/res", set, error), LoadResult::Ok)
      << error.Format();
  EXPECT_EQ(set.strings.at(20000), "Brevio");
  EXPECT_FALSE(set.strings.at(20001).empty());
  DialogDescription d;
  ASSERT_TRUE(LoadDialogDescription(set, 10001, d, error)) << error.Format();
  EXPECT_EQ(d.title, "Brevio");

  std::vector<int32_t> order;
  std::map<int32_t, const DescGadget*> byId;
  for (const auto& g : d.gadgets) {
    if (g.id < 0) continue;
    order.push_back(g.id);
    byId[g.id] = &g;
    EXPECT_FALSE(g.caption.empty()) << g.id;
  }
  using K = DescGadget::Kind;
  for (int32_t id : {10002, 10003, 10004, 10008, 10009, 10010})
    EXPECT_EQ(byId.at(id)->kind, K::Combo) << id;
  for (int32_t id = 10012; id <= 10031; ++id) EXPECT_EQ(byId.at(id)->kind, K::Check) << id;
  for (int32_t id : {10005, 10006, 10007}) EXPECT_EQ(byId.at(id)->kind, K::Check) << id;
  EXPECT_EQ(byId.at(10032)->kind, K::Button);
  EXPECT_EQ(byId.at(10033)->kind, K::Button);
  EXPECT_EQ(byId.size(), 31u);  // 6 combo boxes, 23 check boxes, 2 buttons, nothing else

  // Read top to bottom: quality, output, options (each dependent box right
  // under its box), effects, buttons.
  auto at = [&](int32_t id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
  EXPECT_LT(at(10010), at(10002));
  EXPECT_LT(at(10004), at(10005));
  EXPECT_EQ(at(10013), at(10012) + 1);
  EXPECT_EQ(at(10016), at(10014) + 1);
  EXPECT_EQ(at(10017), at(10015) + 1);
  EXPECT_LT(at(10022), at(10023));
  for (int32_t id = 10024; id <= 10031; ++id) EXPECT_EQ(at(id), at(10023) + (id - 10023)) << id;
  EXPECT_EQ(at(10032), static_cast<long>(order.size()) - 2);
  EXPECT_EQ(at(10033), static_cast<long>(order.size()) - 1);

  EXPECT_EQ(byId.at(10015)->caption, "Shadows");
  EXPECT_EQ(byId.at(10017)->caption, "Limit shadows to soft");
  EXPECT_EQ(byId.at(10028)->caption, "Glow and highlights");
  EXPECT_EQ(byId.at(10031)->caption, "Motion blur");
}

}  // namespace
}  // namespace simhost::res
