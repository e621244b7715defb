// The document's hyperlinks, destinations and text anchors.
#include "host/layout/HyperlinkTable.h"

#include <algorithm>
#include <set>

#include "host/db/IPMStream.h"

namespace {

template <class T>
const T* Named(const std::vector<T>& list, const WideString& name) {
  auto it = std::find_if(list.begin(), list.end(), [&](const T& entry) { return entry.name == name; });
  return it == list.end() ? nullptr : &*it;
}

// Where a source's start lands after the edit: inserted text at the start stays outside the source.
int32_t MovedStart(int32_t at, int32_t position, int32_t deleted, int32_t inserted) {
  if (at < position) return at;
  if (at >= position + deleted) return at + inserted - deleted;
  return position + inserted;
}

// Where a source's end lands: inserted text at the end stays outside the source too.
int32_t MovedEnd(int32_t at, int32_t position, int32_t deleted, int32_t inserted) {
  if (at <= position) return at;
  if (at >= position + deleted) return at + inserted - deleted;
  return position;
}

template <class E>
void XferEnum(IPMStream* stream, E& value, int32_t count, std::string_view what) {
  auto byte = static_cast<uint8_t>(value);
  stream->XferByte(byte);
  if (stream->Expect(byte < count, what)) value = static_cast<E>(byte);
}

void XferSource(IPMStream* stream, HyperlinkSource& s) {
  XferEnum(stream, s.kind, kSourceKindCount, "a hyperlink source's kind is out of range");
  stream->XferReference(s.story);
  stream->XferInt32(s.start);
  stream->XferInt32(s.end);
  stream->Expect(s.start >= 0 && s.start <= s.end, "a hyperlink source's text range is out of order");
  stream->XferReference(s.characterStyle);
  stream->XferReference(s.item);
  stream->XferReference(s.anchor);
}

void XferAppearance(IPMStream* stream, HyperlinkAppearance& a) {
  stream->XferByte(a.highlight);
  stream->XferByte(a.borderWidth);
  stream->XferByte(a.borderStyle);
  stream->Expect(a.highlight < kHighlightCount && a.borderWidth >= 1 && a.borderWidth <= kBorderWidthMax &&
                     a.borderStyle < kBorderStyleCount,
                 "a hyperlink's appearance is out of range");
  stream->XferReference(a.borderColor);
}

}  // namespace

const HyperlinkDestination* HyperlinkTable::FindDestination(const WideString& name) const {
  return Named(destinations_, name);
}

const HyperlinkDestination* HyperlinkTable::FindDestination(uint32_t id) const {
  auto it = std::find_if(destinations_.begin(), destinations_.end(),
                         [&](const HyperlinkDestination& d) { return d.id == id; });
  return it == destinations_.end() ? nullptr : &*it;
}

const Hyperlink* HyperlinkTable::FindHyperlink(const WideString& name) const {
  return Named(hyperlinks_, name);
}

uint32_t HyperlinkTable::SetDestination(HyperlinkDestination destination) {
  if (PreDirty() != kSuccess) return 0;
  if (const HyperlinkDestination* old = FindDestination(destination.name)) {
    destination.id = old->id;
    destinations_[static_cast<size_t>(old - destinations_.data())] = std::move(destination);
    return old->id;
  }
  destination.id = ++lastID_;
  destinations_.push_back(std::move(destination));
  return lastID_;
}

uint32_t HyperlinkTable::AddHyperlink(Hyperlink hyperlink) {
  if (PreDirty() != kSuccess) return 0;
  hyperlink.id = ++lastID_;
  hyperlinks_.push_back(std::move(hyperlink));
  return lastID_;
}

void HyperlinkTable::RemoveHyperlink(uint32_t id) {
  auto it =
      std::find_if(hyperlinks_.begin(), hyperlinks_.end(), [&](const Hyperlink& h) { return h.id == id; });
  if (it == hyperlinks_.end()) return;
  if (PreDirty() != kSuccess) return;
  hyperlinks_.erase(it);
}

void HyperlinkTable::AddTextAnchor(UID anchor) {
  if (std::find(anchors_.begin(), anchors_.end(), anchor) != anchors_.end()) return;
  if (PreDirty() != kSuccess) return;
  anchors_.push_back(anchor);
}

void HyperlinkTable::RemoveTextAnchor(UID anchor) {
  auto it = std::find(anchors_.begin(), anchors_.end(), anchor);
  if (it == anchors_.end()) return;
  if (PreDirty() != kSuccess) return;
  anchors_.erase(it);
}

void HyperlinkTable::NoteTextEdit(UID story, int32_t position, int32_t deleted, int32_t inserted) {
  for (size_t i = 0; i < hyperlinks_.size(); ++i) {
    const HyperlinkSource& s = hyperlinks_[i].source;
    if (s.kind != SourceKind::kText || s.story != story) continue;
    int32_t start = MovedStart(s.start, position, deleted, inserted);
    int32_t end = MovedEnd(s.end, position, deleted, inserted);
    start = std::min(start, end);  // all of it deleted: empty where it was
    if (start == s.start && end == s.end) continue;
    if (PreDirty() != kSuccess) return;
    hyperlinks_[i].source.start = start;
    hyperlinks_[i].source.end = end;
  }
}

void HyperlinkTable::XferDestinations(IPMStream* stream) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(destinations_.size()), 24);
  if (stream->IsReading()) destinations_.assign(count, {});
  for (HyperlinkDestination& d : destinations_) {
    stream->XferUInt32(d.id);
    stream->XferString(d.name);
    XferEnum(stream, d.kind, kDestinationKindCount, "a hyperlink destination's kind is out of range");
    stream->XferString(d.url);
    stream->XferReference(d.page);
    XferEnum(stream, d.zoom, kPageZoomCount, "a page destination's zoom is out of range");
    stream->XferFinite(d.zoomPercent, "a page destination's zoom");
    stream->XferReference(d.anchor);
  }
}

void HyperlinkTable::XferHyperlinks(IPMStream* stream) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(hyperlinks_.size()), 40);
  if (stream->IsReading()) hyperlinks_.assign(count, {});
  for (Hyperlink& h : hyperlinks_) {
    stream->XferUInt32(h.id);
    stream->XferString(h.name);
    XferSource(stream, h.source);
    stream->XferUInt32(h.destination);
    stream->XferBool(h.visible);
    XferAppearance(stream, h.appearance);
  }
}

void HyperlinkTable::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferUInt32(lastID_);
  XferDestinations(stream);
  XferHyperlinks(stream);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(anchors_.size()), 4);
  if (stream->IsReading()) anchors_.assign(count, kInvalidUID);
  for (UID& anchor : anchors_)
    stream->XferReference(anchor);
  if (!stream->IsReading()) return;
  // Names find destinations and hyperlinks, and ids tie hyperlinks to destinations: both must be unique,
  // every id below the next one given out, and every hyperlink's destination one of the table's.
  std::set<uint32_t> ids;
  std::set<WideString> names;
  for (const HyperlinkDestination& d : destinations_) {
    stream->Expect(d.id > 0 && d.id <= lastID_ && ids.insert(d.id).second,
                   "a destination's id is not unique");
    stream->Expect(names.insert(d.name).second, "two destinations have one name");
  }
  names.clear();
  for (const Hyperlink& h : hyperlinks_) {
    stream->Expect(h.id > 0 && h.id <= lastID_ && ids.insert(h.id).second, "a hyperlink's id is not unique");
    stream->Expect(names.insert(h.name).second, "two hyperlinks have one name");
    stream->Expect(FindDestination(h.destination) != nullptr, "a hyperlink goes to no destination");
  }
}
