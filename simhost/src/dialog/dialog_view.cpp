// dialog_view.cpp - the readable and the logged form of a dialog.
#include "dialog/dialog_view.h"

#include "c4d_host_numbers.h"
#include "core/text.h"

namespace simhost {

namespace {

const int32_t kCloseWindowCommand = IDM_CM_CLOSEWINDOW;

std::string EntriesText(const std::vector<MenuEntry>& entries) {
  std::string out;
  for (const MenuEntry& e : entries) {
    if (!out.empty()) out += " | ";
    switch (e.type) {
      case MenuEntry::Type::String:
        out += std::to_string(e.id) + " " + Quoted(e.text);
        break;
      case MenuEntry::Type::Separator:
        out += "---";
        break;
      case MenuEntry::Type::Command:
        out += "host command " + std::to_string(e.id) + " " + Quoted(HostCommandText(e.id));
        break;
      case MenuEntry::Type::Sub:
        out += "menu " + Quoted(e.text) + " { " + EntriesText(e.entries) + " }";
        break;
    }
  }
  return out;
}

nlohmann::json EntriesJson(const std::vector<MenuEntry>& entries) {
  nlohmann::json out = nlohmann::json::array();
  for (const MenuEntry& e : entries) {
    switch (e.type) {
      case MenuEntry::Type::String:
        out.push_back({{"id", e.id}, {"text", e.text}});
        break;
      case MenuEntry::Type::Separator:
        out.push_back({{"separator", true}});
        break;
      case MenuEntry::Type::Command:
        out.push_back({{"command", e.id}});
        break;
      case MenuEntry::Type::Sub:
        out.push_back({{"title", e.text}, {"entries", EntriesJson(e.entries)}});
        break;
    }
  }
  return out;
}

}  // namespace

std::string HostCommandText(int32_t commandId) {
  if (commandId == kCloseWindowCommand) return "Close";
  return "Command " + std::to_string(commandId);
}

std::string ComboValueText(const Gadget& g, int32_t value) {
  for (const auto& [id, text] : g.items)
    if (id == value) return std::to_string(id) + " " + Quoted(text);
  return std::to_string(value) + " (no such item)";
}

std::vector<std::string> DescribeDialog(const DialogObj* d) {
  std::vector<std::string> lines;
  if (d == nullptr) {
    lines.push_back("no dialog");
    return lines;
  }
  bool open = d->state == DialogObj::State::Open;
  const std::string& title = open ? d->window.title : d->lastTitle;
  lines.push_back("dialog " + Quoted(title) + (open ? " (open)" : " (closed)"));
  if (!open) return lines;
  for (const MenuEntry& m : d->window.menu.menus)
    lines.push_back("  menu " + Quoted(m.text) + ": " + EntriesText(m.entries));
  std::string section = "\x01";  // no section printed yet
  for (const Gadget& g : d->window.gadgets) {
    if (!g.Addressable()) continue;
    if (g.section != section) {
      section = g.section;
      if (!section.empty()) lines.push_back("  [" + section + "]");
    }
    std::string line =
        "    " + std::to_string(g.id) + " " + KindName(g.kind) + " " + Quoted(g.caption);
    switch (g.kind) {
      case Gadget::Kind::Combo: {
        line += " = " + ComboValueText(g, g.value) + "  of {";
        for (size_t i = 0; i < g.items.size(); ++i)
          line += (i ? ", " : "") + std::to_string(g.items[i].first) + " " + g.items[i].second;
        line += "}";
        break;
      }
      case Gadget::Kind::Check:
        line += g.value ? " = on" : " = off";
        break;
      default:
        break;
    }
    if (g.tristate) line += " (tristate)";
    if (!g.enabled) line += " (disabled)";
    lines.push_back(line);
  }
  return lines;
}

nlohmann::json DialogEvent(const DialogObj* d) {
  nlohmann::json e = {{"event", "dialog"},
                      {"open", false},
                      {"title", ""},
                      {"gadgets", nlohmann::json::array()},
                      {"menus", nlohmann::json::array()}};
  if (d == nullptr) return e;
  bool open = d->state == DialogObj::State::Open;
  e["open"] = open;
  e["title"] = open ? d->window.title : d->lastTitle;
  if (!open) return e;
  for (const Gadget& g : d->window.gadgets) {
    if (!g.Addressable()) continue;
    nlohmann::json j = {
        {"id", g.id}, {"kind", KindName(g.kind)}, {"caption", g.caption}, {"enabled", g.enabled}};
    if (g.kind == Gadget::Kind::Combo) {
      j["value"] = g.value;
      nlohmann::json items = nlohmann::json::array();
      for (const auto& [id, text] : g.items) items.push_back({id, text});
      j["items"] = items;
    } else if (g.kind == Gadget::Kind::Check) {
      j["value"] = g.value != 0;
    } else {
      j["value"] = nullptr;
    }
    e["gadgets"].push_back(j);
  }
  for (const MenuEntry& m : d->window.menu.menus)
    e["menus"].push_back({{"title", m.text}, {"entries", EntriesJson(m.entries)}});
  return e;
}

}  // namespace simhost
