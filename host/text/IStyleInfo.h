// IStyleInfo: a paragraph or character style: its full name (group path and own name), the style it is
// based on, the next style, (for paragraph styles) the character style that goes with it, and its
// attributes. The setters are for the style commands and document set-up.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/text/AttributeBossList.h"
#include "host/text/TextIDs.h"

enum class StyleKind : uint8_t { kParagraph = 0, kCharacter = 1 };

class IStyleInfo : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTYLEINFO.Get() };

  virtual StyleKind GetKind() const = 0;
  // Group names and the style's own name, separated by kStyleGroupSeparator (StyleNames.h).
  virtual const WideString& GetName() const = 0;
  // 0 for a root style; a style based on nothing else is based on its table's root.
  virtual UID GetBasedOn() const = 0;
  // The style that follows a paragraph of this style; 0 means this style itself.
  virtual UID GetNextStyle() const = 0;
  // Paragraph styles: the character style that goes with it; 0 for none.
  virtual UID GetCharacterStyle() const = 0;
  virtual const AttributeBossList& GetAttributes() const = 0;

  virtual void SetKind(StyleKind kind) = 0;
  virtual void SetName(const WideString& name) = 0;
  virtual void SetBasedOn(UID style) = 0;
  virtual void SetNextStyle(UID style) = 0;
  virtual void SetCharacterStyle(UID style) = 0;
  virtual void SetAttributes(const AttributeBossList& attributes) = 0;
};

// Changes made to any style of any document in this process (a setter that changed something, a style read
// back by undo, redo or a file): while it stays the same, what was worked out from styles still holds.
uint64_t StyleChangeCount();
