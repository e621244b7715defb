// A document's object styles.
#include "host/layout/ObjectStyleList.h"

#include <set>

#include "host/db/IPMStream.h"

ObjectStyleList::ObjectStyleList(Boss* boss) : CPMUnknown(boss), styles_(DefaultObjectStyles()) {}

const ObjectStyle* ObjectStyleList::FindStyle(ObjectStyleID id) const {
  for (const ObjectStyle& style : styles_) {
    if (style.id == id) return &style;
  }
  return nullptr;
}

ObjectStyleID ObjectStyleList::FindStyleByName(const WideString& name) const {
  for (const ObjectStyle& style : styles_) {
    if (style.name == name) return style.id;
  }
  return kInvalidObjectStyle;
}

ObjectStyleID ObjectStyleList::AddStyle(ObjectStyle style) {
  if (PreDirty() != kSuccess) return kInvalidObjectStyle;
  style.id = styles_.back().id + 1;
  styles_.push_back(std::move(style));
  return styles_.back().id;
}

std::string ObjectStyleList::Fault() const {
  std::vector<ObjectStyle> defaults = DefaultObjectStyles();
  if (styles_.size() < defaults.size()) return "the object styles lack the defaults";
  std::set<WideString> names;
  for (size_t i = 0; i < styles_.size(); ++i) {
    const ObjectStyle& style = styles_[i];
    if (i < defaults.size() && (style.id != defaults[i].id || style.name != defaults[i].name))
      return "the object styles do not start with the defaults";
    if ((i > 0 && style.id <= styles_[i - 1].id) || style.id >= kMaxObjectStyleID)
      return "the object styles' numbers are out of order";
    if (style.name.empty() || style.name.size() > kMaxObjectStyleNameLength ||
        !names.insert(style.name).second)
      return "an object style's name is empty, too long or taken twice";
    bool basedOnEarlier = false;
    for (size_t j = 0; j < i; ++j)
      basedOnEarlier = basedOnEarlier || styles_[j].id == style.basedOn;
    if (style.basedOn != kInvalidObjectStyle && !basedOnEarlier)
      return "an object style is based on a style made after it";
  }
  return "";
}

void ObjectStyleList::ReadWrite(IPMStream* stream, ImplementationID) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(styles_.size()), 64);
  stream->Expect(count <= kMaxObjectStyles, "there are too many object styles");
  if (stream->IsReading()) styles_.assign(std::min<uint32_t>(count, kMaxObjectStyles), {});
  for (ObjectStyle& style : styles_) {
    stream->XferInt32(style.id);
    XferObjectStyle(stream, style);
    if (!stream->IsGood()) break;
  }
  if (!stream->IsReading() || !stream->IsGood()) return;
  if (std::string fault = Fault(); !fault.empty()) {
    stream->MarkDamaged(fault);
    styles_ = DefaultObjectStyles();
  }
}
