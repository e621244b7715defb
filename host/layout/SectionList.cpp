// The document's sections.
#include "host/layout/SectionList.h"

#include "host/db/IPMStream.h"

void SectionList::SetSections(std::vector<Section> sections) {
  if (sections == sections_) return;
  if (PreDirty() != kSuccess) return;
  sections_ = std::move(sections);
}

void SectionList::ReadWrite(IPMStream* stream, ImplementationID) {
  // A reference and a string length at least.
  uint32_t count = stream->XferCount(static_cast<uint32_t>(sections_.size()), 8);
  if (stream->IsReading()) sections_.assign(count, Section());
  for (Section& s : sections_) {
    stream->XferReference(s.firstPage);
    stream->XferString(s.name);
  }
}
