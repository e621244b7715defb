// IStyleTable: a document's paragraph styles or character styles (on the document workspace, under
// IID_IPARASTYLETABLE and IID_ICHARSTYLETABLE): the root style first, the style new text gets by default,
// the style groups, and lookup by name. The changing operations are for the style commands and document
// set-up.
#pragma once

#include <string_view>
#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/text/IStyleInfo.h"

// The answer of a lookup by name: the style, and how many styles the name matched.
struct StyleLookup {
  UID style;
  int32_t matches = 0;
  bool Found() const { return matches == 1; }
  bool IsAmbiguous() const { return matches > 1; }
};

class IStyleTable : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPARASTYLETABLE.Get() };

  virtual StyleKind GetKind() const = 0;
  // The root style: it holds the defaults every other style falls back to.
  virtual UID GetRootStyle() const = 0;
  // The style new text gets: "NormalParagraphStyle" for paragraphs, the root for characters.
  virtual UID GetDefaultStyle() const = 0;
  // Styles in creation order, the root at index 0.
  virtual int32_t CountStyles() const = 0;
  virtual UID GetNthStyle(int32_t index) const = 0;
  virtual bool ContainsStyle(UID style) const = 0;
  // A full name (with its group path) finds that style. A name without group path that no style outside
  // the groups has finds the style of that own name in any group; when styles of several groups have it,
  // the answer is ambiguous (the first of them, and the number of matches). An empty name finds nothing.
  virtual StyleLookup FindByName(std::u16string_view name) const = 0;
  // Group paths (full paths, outermost groups first) in creation order.
  virtual int32_t CountGroups() const = 0;
  virtual const WideString& GetNthGroup(int32_t index) const = 0;
  virtual bool HasGroup(std::u16string_view path) const = 0;

  virtual void AddStyle(UID style) = 0;
  virtual void AddGroup(const WideString& path) = 0;
  virtual void SetRootStyle(UID style) = 0;
  virtual void SetDefaultStyle(UID style) = 0;
};
