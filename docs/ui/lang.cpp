// The process-wide language list and its lookups.
#include "docs/ui/lang.h"

namespace vorta::docs {

TLangList& LangList() {
  static TLangList list = [] {
    TLangList l;
    l.BuildEnglish();
    return l;
  }();
  return list;
}

std::string LT(std::string_view key) {
  return LangList().Value(key);
}

std::string LTOrKey(std::string_view key) {
  return LangList().ValueOrKey(key);
}

std::string LT1(std::string_view key) {
  return LangList().Value1(key);
}

QString Lt(std::string_view key) {
  return QString::fromStdString(LT(key));
}

QString LtOrKey(std::string_view key) {
  return QString::fromStdString(LTOrKey(key));
}

}  // namespace vorta::docs
