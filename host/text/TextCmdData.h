// The parameter implementations of the text commands: ITextRangeData, ITextAttributeData, IStyleData and
// ITextCopyData, each holding what the caller set for one command.
#pragma once

#include <utility>

#include "host/core/CPMUnknown.h"
#include "host/text/IStyleData.h"
#include "host/text/ITextAttributeData.h"
#include "host/text/ITextCopyData.h"
#include "host/text/ITextRangeData.h"

class TextRangeData final : public CPMUnknown<ITextRangeData> {
 public:
  explicit TextRangeData(Boss* boss) : CPMUnknown(boss) {}
  void SetRange(int32_t start, int32_t end) override {
    start_ = start;
    end_ = end;
  }
  int32_t GetStart() const override { return start_; }
  int32_t GetEnd() const override { return end_; }

 private:
  int32_t start_ = 0;
  int32_t end_ = 0;
};

class TextAttributeData final : public CPMUnknown<ITextAttributeData> {
 public:
  explicit TextAttributeData(Boss* boss) : CPMUnknown(boss) {}
  void SetStrand(TextStrand strand) override { strand_ = strand; }
  TextStrand GetStrand() const override { return strand_; }
  void SetAttributes(const AttributeBossList& attributes) override { attributes_ = attributes; }
  const AttributeBossList& GetAttributes() const override { return attributes_; }
  void SetClasses(std::vector<ClassID> classes) override { classes_ = std::move(classes); }
  const std::vector<ClassID>& GetClasses() const override { return classes_; }

 private:
  TextStrand strand_ = TextStrand::kCharacter;
  AttributeBossList attributes_;
  std::vector<ClassID> classes_;
};

class StyleData final : public CPMUnknown<IStyleData> {
 public:
  explicit StyleData(Boss* boss) : CPMUnknown(boss) {}
  void SetKind(StyleKind kind) override { kind_ = kind; }
  StyleKind GetKind() const override { return kind_; }
  void SetName(const WideString& name) override {
    Note(kName);
    name_ = name;
  }
  const WideString& GetName() const override { return name_; }
  void SetBasedOn(UID style) override {
    Note(kBasedOn);
    basedOn_ = style;
  }
  UID GetBasedOn() const override { return basedOn_; }
  void SetNextStyle(UID style) override {
    Note(kNextStyle);
    next_ = style;
  }
  UID GetNextStyle() const override { return next_; }
  void SetCharacterStyle(UID style) override {
    Note(kCharacterStyle);
    characterStyle_ = style;
  }
  UID GetCharacterStyle() const override { return characterStyle_; }
  void SetAttributes(const AttributeBossList& attributes) override {
    Note(kAttributes);
    attributes_ = attributes;
  }
  const AttributeBossList& GetAttributes() const override { return attributes_; }
  uint32_t GetChanges() const override { return changes_; }

 private:
  void Note(Change change) { changes_ |= change; }
  StyleKind kind_ = StyleKind::kParagraph;
  WideString name_;
  UID basedOn_;
  UID next_;
  UID characterStyle_;
  AttributeBossList attributes_;
  uint32_t changes_ = 0;
};

class TextCopyData final : public CPMUnknown<ITextCopyData> {
 public:
  explicit TextCopyData(Boss* boss) : CPMUnknown(boss) {}
  void SetSource(const UIDRef& story, int32_t start, int32_t end) override {
    story_ = story;
    start_ = start;
    end_ = end;
  }
  const UIDRef& GetSourceStory() const override { return story_; }
  int32_t GetSourceStart() const override { return start_; }
  int32_t GetSourceEnd() const override { return end_; }
  void SetStyledText(StyledText text) override {
    styled_ = std::move(text);
    hasStyled_ = true;
  }
  bool HasStyledText() const override { return hasStyled_; }
  const StyledText& GetStyledText() const override { return styled_; }
  StyledText TakeStyledText() override { return std::exchange(styled_, {}); }

 private:
  UIDRef story_;
  int32_t start_ = 0;
  int32_t end_ = 0;
  StyledText styled_;
  bool hasStyled_ = false;
};
