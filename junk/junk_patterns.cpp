// The 56 junk patterns in their fixed order.
#include "junk/junk_patterns.h"

namespace {
constexpr Recommended On = Recommended::kOn, Off = Recommended::kOff, Keep = Recommended::kKeep;
}

const JunkPattern kJunkPatterns[kJunkPatternCount] = {
    {"*.??$", On},        {"*.??~", On},        {"*.~*", On},        {"*.^*", On},
    {"*._dd", On},        {"*.bk?", On},        {"*.?~?", On},       {"*.?$?", On},
    {"*.$db", On},        {"*.db$", On},        {"*.^", On},         {"0*.nch", On},
    {"twain???.mtx", On}, {"*.$a", On},         {"*.ftg", On},       {"*.fts", On},
    {"*.gid", On},        {"*.spc", On},        {"*.#Rec", On},      {"*.$$$", On},
    {"*.@@@", On},        {"*.---", On},        {"mscreate.dir", On}, {"0???????.nch", On},
    {"*.ilc", On},        {"*.ild", On},        {"*.ilf", On},       {"*.ils", On},
    {"*.tds", On},        {"*.bsc", On},        {"*.ilk", On},       {"*.pch", On},
    {"*.nu3", On},        {"*.bak", Off},       {"*.old", Off},      {"*.prv", Off},
    {"*.err", Off},       {"*.tmp", On},        {"~*.*", Off},       {"*._mp", Off},
    {"*.syd", Off},       {"*.wbk", Off},       {"*.xlk", Off},      {"*.cdr_", Off},
    {"chklist.*", On},    {"*.chk", On},        {"*.diz", Off},      {"*.dmp", Off},
    {"*.pch", Off},       {"file???._dd", On},  {"file????._dd", On}, {"*.fnd", Off},
    {"*log.txt", On},     {"icq*.log", Off},    {"*.pf", Keep},      {"Thumbs.db", Keep},
};

const char* const kSpecialLocations[kSpecialLocationCount] = {"清理系统临时文件", "清理IE临时文件",
                                                               "清理系统存根文件"};

int32_t SpecialLocationKind(const std::string& location) {
  static const int32_t kKinds[kSpecialLocationCount] = {0, 1, 3};
  for (size_t i = 0; i < kSpecialLocationCount; ++i) {
    if (location == kSpecialLocations[i]) return kKinds[i];
  }
  return -1;
}
