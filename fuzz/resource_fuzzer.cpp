// resource_fuzzer.cpp - the simulated host's reader of resource folders:
// symbols, string tables and dialog descriptions, whatever their text.
//
// The input is up to four files separated by NUL bytes: c4d_symbols.h,
// strings_en-US/c4d_strings.str, dialogs/brevio.res and
// strings_en-US/dialogs/brevio.str. Each is also handed to every parser on
// its own. Whatever the text, the reader answers or reports a fault with a
// place; it never crashes, and what it reads is consistent. Every
// description read is laid out as a window: it fits or is refused with a
// reason, and what fits lies inside the window.
//
// An input starting with byte 1 is a deep one: the next two bytes give a
// nesting depth (up to 65535) of blocks around the rest, as the dialog
// description of an otherwise sound folder, so that inputs reach depths a
// small input cannot.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialog/dialog_layout.h"
#include "fuzz_support.h"
#include "resource/res_lexer.h"
#include "resource/res_syntax.h"
#include "resource/resource_set.h"

namespace {

using namespace simhost::res;

void LayOut(const DialogDescription& description, const std::string& input) {
  simhost::Window window;
  simhost::ShowDescription(window, description);
  const simhost::FixedMetrics text;
  simhost::WindowLayout layout;
  std::string error;
  if (!simhost::LayOutWindow(window, text, 0, 0, layout, error)) {
    if (error.empty()) brevio_fuzz::Fail("a layout refused without a reason", input);
    return;
  }
  if (layout.gadgets.size() != window.gadgets.size())
    brevio_fuzz::Fail("a layout without a place for every gadget", input);
  for (const simhost::Rect& r : layout.gadgets)
    if (r.Empty() || !r.Inside(layout.content) || !layout.content.Inside(layout.Bounds()))
      brevio_fuzz::Fail("a gadget placed outside its window", input);
}

void ParseAlone(const std::string& text) {
  for (bool header : {false, true}) {
    LexOptions options;
    options.preprocessorLines = header;
    options.equalsSign = header;
    std::vector<Token> tokens;
    ResError error;
    if (Tokenize(text, options, tokens, error)) {
      if (tokens.empty() || tokens.back().kind != Token::Kind::End)
        brevio_fuzz::Fail("the token list does not end with End", text);
    } else if (error.line <= 0) {
      brevio_fuzz::Fail("a lexer fault without a line", text);
    }
  }
  std::vector<Node> nodes;
  ResError error;
  ParseBlocks(text, nodes, error);

  Symbols symbols;
  if (ParseSymbols(text, symbols, error)) {
    // Every name found by name is the value it had in file order.
    for (const auto& [name, value] : symbols.ordered) {
      int32_t found = 0;
      if (!symbols.Find(name, found)) brevio_fuzz::Fail("symbol " + name + " not found", text);
    }
  }
  StringFile strings;
  ParseStringFile(text, strings, error);
}

std::string Deep(const uint8_t* data, size_t size) {
  const size_t depth = size < 3 ? 0 : (size_t{data[1]} << 8) | data[2];
  std::string text = "enum { DLG_X = 10001, IDS_T };";
  text += '\0';
  text += "STRINGTABLE { IDS_T \"T\"; }";
  text += '\0';
  text += "DIALOG DLG_X { NAME IDS_T; ";
  for (size_t i = 0; i < depth; ++i) text += "GROUP {\n";
  if (size > 3) text.append(reinterpret_cast<const char*>(data) + 3, size - 3);
  for (size_t i = 0; i < depth; ++i) text += "}";
  return text + " }";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = size > 0 && data[0] == 1
                                ? Deep(data, size)
                                : std::string(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parts(4);
  size_t part = 0;
  for (char c : input) {
    if (c == '\0' && part < 3) {
      ++part;
      continue;
    }
    parts[part] += c;
  }
  for (const std::string& text : parts) ParseAlone(text);

  const auto& root = brevio_fuzz::ScratchDir("resource");
  const auto res = root / "res";
  std::error_code ec;
  std::filesystem::remove_all(res, ec);
  const char* files[] = {"c4d_symbols.h", "strings_en-US/c4d_strings.str", "dialogs/brevio.res",
                         "strings_en-US/dialogs/brevio.str"};
  for (size_t i = 0; i < 4; ++i)
    if (i <= part) brevio_fuzz::WriteFile(res / files[i], parts[i]);

  ResourceSet set;
  ResError error;
  const LoadResult loaded = LoadResourceSet(res.string(), set, error);
  if (loaded == LoadResult::Malformed && error.text.empty())
    brevio_fuzz::Fail("a malformed resource set without a reason", input);
  if (loaded != LoadResult::Ok) return 0;
  for (const auto& [name, value] : set.symbols.ordered) {
    if (name.rfind("DLG_", 0) != 0) continue;
    DialogDescription description;
    ResError dialogError;
    if (LoadDialogDescription(set, value, description, dialogError)) {
      if (description.id != value)
        brevio_fuzz::Fail("description " + std::to_string(value) + " read under another id", input);
      LayOut(description, input);
    } else if (dialogError.text.empty()) {
      brevio_fuzz::Fail("a dialog description refused without a reason", input);
    }
  }
  return 0;
}
