#include "settings/execmenu.h"

#include "settings/IniKeys.h"

namespace ik = inikey;

namespace {
constexpr int kDeepest = 3;  // "Main", a submenu and a submenu of that

std::vector<LauncherItem> LoadMenu(const tk::TIniFile& ini, const std::string& name, int depth, int& tag) {
    std::vector<LauncherItem> items;
    const std::string titles = ik::ExecTitle::Of(name), commands = ik::ExecCommand::Of(name),
                      subs = ik::ExecSub::Of(name);
    int count = ini.ReadInteger(titles, ik::ExecTitle::Count, 0);
    for (int i = 0; i < count; ++i) {
        std::string key = std::to_string(i);
        LauncherItem item;
        item.title = ini.ReadString(titles, key, "");
        item.tag = tag++;
        item.submenu = depth < kDeepest && ini.ReadString(subs, key, "0") == "1";
        if (item.submenu)
            item.items = LoadMenu(ini, SubmenuName(name, item.title), depth + 1, tag);
        else
            item.command = ini.ReadString(commands, key, "");
        items.push_back(std::move(item));
    }
    return items;
}

void WriteCommands(tk::TIniFile& ini, const std::vector<LauncherItem>& menu) {
    for (const LauncherItem& item : menu) {
        if (item.submenu)
            WriteCommands(ini, item.items);
        else
            ini.WriteString(ik::ExecCommand::Section, std::to_string(item.tag), item.command);
    }
}
}  // namespace

std::vector<LauncherItem> LoadLauncherMenu(const tk::TIniFile& ini) {
    int tag = 0;
    return LoadMenu(ini, "Main", 1, tag);
}

void WriteLauncherCommands(tk::TIniFile& ini, const std::vector<LauncherItem>& menu) {
    ini.EraseSection(ik::ExecCommand::Section);
    WriteCommands(ini, menu);
}
