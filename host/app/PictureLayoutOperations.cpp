// The picture and link operations of `pagehost layout`.
#include "host/app/PictureLayoutOperations.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

#include "host/app/ILayoutOperationProvider.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/layout/LayoutReferences.h"
#include "host/layout/PictureUtils.h"
#include "host/layout/UserInput.h"

namespace {

using Result = LayoutOperationResult;

constexpr std::pair<std::string_view, FrameFitting> kFittings[] = {
    {"none", FrameFitting::kNone},
    {"content-to-frame", FrameFitting::kContentToFrame},
    {"proportional", FrameFitting::kProportional},
    {"fill", FrameFitting::kFill},
};

std::optional<double> ParseNumber(const std::string& text) {
  double v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// Two numbers "A,B"; nothing for anything else.
std::optional<std::pair<double, double>> ParsePair(const std::string& text, bool lengths) {
  std::vector<std::string> parts = UserInput::Split(text, ',');
  if (parts.size() != 2) return std::nullopt;
  auto a = lengths ? UserInput::ParseLength(parts[0]) : ParseNumber(parts[0]);
  auto b = lengths ? UserInput::ParseLength(parts[1]) : ParseNumber(parts[1]);
  if (!a || !b) return std::nullopt;
  return std::pair(*a, *b);
}

// The positional words, exactly `count` of them, or why not.
bool TakePositional(LayoutOperationWords& words, size_t count, std::vector<std::string>& out,
                    std::string& problem) {
  out = words.Positional(problem);
  if (problem.empty() && out.size() != count)
    problem = "takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s");
  return problem.empty();
}

struct Reading {
  std::vector<std::string> args;
  std::string problem;
  UID item;
};

Result Refusal(const Reading& r) {
  return Result::Usage(r.problem);
}

// Reads the positional words (the first an item) into `r`; false with r.problem (or a failure) when not.
std::optional<Result> ReadItem(IDataBase& db, LayoutOperationWords& words, size_t count, Reading& r) {
  if (!TakePositional(words, count, r.args, r.problem)) return Refusal(r);
  LayoutReference ref = LayoutReferences::Item(&db, r.args[0]);
  if (!ref.ok()) return ref.usage ? Result::Usage(ref.problem) : Result::Failure(ref.problem);
  r.item = ref.uid;
  return std::nullopt;
}

Result Place(IDataBase& db, LayoutOperationWords& words) {
  PictureUtils::PlaceRequest request;
  if (auto fit = words.Value("--fit")) {
    request.fit = PictureFitting::FitModeNamed(*fit);
    if (!request.fit) return Result::Usage("place: unknown fitting '" + *fit + "'");
  }
  if (auto page = words.Value("--page")) {
    auto n = UserInput::ParseInteger(*page);
    if (!n || *n < 1) return Result::Usage("place: --page takes a page number from 1");
    request.page = *n;
  }
  request.proxyWhenMissing = words.Flag("--proxy-if-missing");
  Reading r;
  if (auto done = ReadItem(db, words, 2, r)) return *done;
  std::string message;
  UID image;
  ErrorCode err = PictureUtils::PlacePicture(&db, r.item, r.args[1], request, message, &image);
  return Result::Done(err, err == kSuccess ? std::to_string(image.Get()) + "\n" : std::string());
}

// -1, -2 and -5 of fitting a frame to its picture, as the user reads them.
Result FrameFitResult(UID frame, int32_t result) {
  std::string item = "item " + std::to_string(frame.Get());
  switch (result) {
    case 0:
      return Result::Done(kSuccess);
    case -1:
      return Result::Failure(item + " holds no picture with a size");
    case -2:
      return Result::Failure("the picture of " + item + " is beyond the limits");
    default:
      ErrorCode err = ErrorUtils::PMGetGlobalErrorCode();
      return Result::Done(err == kSuccess ? kFailure : err);
  }
}

Result Fit(IDataBase& db, LayoutOperationWords& words) {
  PictureFitting::FrameFitLimits limits;
  if (auto text = words.Value("--limits")) {
    auto pair = ParsePair(*text, true);
    if (!pair) return Result::Usage("fit: --limits takes W,H");
    std::tie(limits.widthLimit, limits.heightLimit) = *pair;
  }
  limits.width = !words.Flag("--height-only");
  limits.height = !words.Flag("--width-only");
  Reading r;
  if (auto done = ReadItem(db, words, 2, r)) return *done;
  auto mode = PictureFitting::FitModeNamed(r.args[1]);
  if (!mode) return Result::Usage("fit: unknown mode '" + r.args[1] + "'");
  if (*mode == FitMode::kFrameToContent)
    return FrameFitResult(r.item, PictureFitting::FitFrameToContent(&db, r.item, limits));
  return Result::Done(PictureFitting::Fit(&db, r.item, *mode));
}

Result ContentTransform(IDataBase& db, LayoutOperationWords& words) {
  PictureFitting::ContentChange change;
  if (auto move = words.Value("--move")) {
    auto pair = ParsePair(*move, true);
    if (!pair) return Result::Usage("content-transform: --move takes DX,DY");
    std::tie(change.dx, change.dy) = *pair;
  }
  if (auto scale = words.Value("--scale")) {
    auto pair = ParsePair(*scale, false);
    if (!pair) return Result::Usage("content-transform: --scale takes SX,SY (1 is 100%)");
    std::tie(change.scaleX, change.scaleY) = *pair;
  }
  for (auto [name, value] : {std::pair("--rotate", &change.rotation), std::pair("--skew", &change.skew)}) {
    if (auto text = words.Value(name)) {
      *value = ParseNumber(*text);
      if (!*value) return Result::Usage(std::string("content-transform: ") + name + " takes degrees");
    }
  }
  Reading r;
  if (auto done = ReadItem(db, words, 1, r)) return *done;
  return Result::Done(PictureFitting::TransformContent(&db, r.item, change));
}

// The placement options a user gives, each applied over the frame's own.
struct PlacementWords {
  std::optional<FrameFitting> fitting;
  std::optional<int32_t> referencePoint;
  std::optional<Margins> crop;
  std::optional<bool> autoFit;

  PlacementOptions Over(PlacementOptions options) const {
    options.fitting = fitting.value_or(options.fitting);
    options.referencePoint = referencePoint.value_or(options.referencePoint);
    options.crop = crop.value_or(options.crop);
    options.autoFit = autoFit.value_or(options.autoFit);
    return options;
  }
};

std::string ReadPlacementWords(LayoutOperationWords& words, PlacementWords& given) {
  if (auto fitting = words.Value("--fitting")) {
    auto it = std::find_if(std::begin(kFittings), std::end(kFittings),
                           [&](const auto& entry) { return entry.first == *fitting; });
    if (it == std::end(kFittings)) return "unknown fitting '" + *fitting + "'";
    given.fitting = it->second;
  }
  if (auto point = words.Value("--reference")) {
    given.referencePoint = UserInput::ParseInteger(*point);
    if (!given.referencePoint || *given.referencePoint < 0 || *given.referencePoint >= kReferencePointCount)
      return "--reference takes 0..8 (row by row from the top left, 4 the centre)";
  }
  if (auto crop = words.Value("--crop")) {
    auto sides = UserInput::ParseLengths(*crop, 4);
    if (!sides) return "--crop takes T,L,B,R";
    given.crop = Margins{(*sides)[0], (*sides)[1], (*sides)[2], (*sides)[3]};
  }
  if (words.Flag("--auto-fit")) given.autoFit = true;
  if (words.Flag("--no-auto-fit")) given.autoFit = false;
  return {};
}

Result SetPlacement(IDataBase& db, LayoutOperationWords& words) {
  PlacementWords given;
  if (std::string problem = ReadPlacementWords(words, given); !problem.empty())
    return Result::Usage("placement-options: " + problem);
  Reading r;
  if (auto done = ReadItem(db, words, 1, r)) return *done;
  auto options = Instantiate<IPlacementOptions>(&db, r.item);
  if (!options) return Result::Failure("item " + std::to_string(r.item.Get()) + " is no graphic frame");
  return Result::Done(PictureUtils::SetPlacementOptions(&db, r.item, given.Over(options->GetOptions())));
}

Result RelinkOp(IDataBase& db, LayoutOperationWords& words) {
  Reading r;
  if (auto done = ReadItem(db, words, 2, r)) return *done;
  std::string message;
  return Result::Done(PictureUtils::Relink(&db, r.item, r.args[1], message));
}

Result UpdateLinksOp(IDataBase& db, LayoutOperationWords& words) {
  Reading r;
  if (!TakePositional(words, 0, r.args, r.problem)) return Refusal(r);
  int32_t updated = 0;
  std::string message;
  ErrorCode err = PictureUtils::UpdateLinks(&db, updated, message);
  return Result::Done(err, err == kSuccess ? std::to_string(updated) + " links updated\n" : std::string());
}

struct Operation {
  const char* help;
  Result (*run)(IDataBase&, LayoutOperationWords&);
};

const std::map<std::string, Operation, std::less<>>& Operations() {
  static const std::map<std::string, Operation, std::less<>> operations = {
      {"place",
       {"  place FRAME FILE [--fit MODE] [--page N] [--proxy-if-missing]\n"
        "                                  (a PNG, JPEG, GIF, TIFF, WebP or PDF page into a graphic frame;\n"
        "                                  prints the picture's UID)\n",
        Place}},
      {"fit",
       {"  fit FRAME content-to-frame|frame-to-content|proportional|fill|center\n"
        "      [--limits W,H] [--width-only|--height-only]   (the limits for frame-to-content)\n",
        Fit}},
      {"content-transform",
       {"  content-transform FRAME [--move DX,DY] [--scale SX,SY] [--rotate D] [--skew D]\n",
        ContentTransform}},
      {"placement-options",
       {"  placement-options FRAME [--fitting none|content-to-frame|proportional|fill] [--reference 0..8]\n"
        "      [--crop T,L,B,R] [--auto-fit|--no-auto-fit]\n",
        SetPlacement}},
      {"relink",
       {"  relink FRAME FILE   update-links   (a picture's file; every changed or missing file)\n",
        RelinkOp}},
      {"update-links", {"", UpdateLinksOp}},
  };
  return operations;
}

class PictureOperations final : public CPMUnknown<ILayoutOperationProvider> {
 public:
  explicit PictureOperations(Boss* boss) : CPMUnknown(boss) {}

  std::vector<LayoutOperationInfo> GetOperations() const override {
    std::vector<LayoutOperationInfo> infos;
    for (const auto& [name, op] : Operations())
      infos.push_back({name, op.help});
    return infos;
  }

  LayoutOperationResult Run(IDataBase& db, std::string_view name, LayoutOperationWords& words) override {
    auto it = Operations().find(name);
    if (it == Operations().end()) return Result::Usage("unknown operation '" + std::string(name) + "'");
    return it->second.run(db, words);
  }
};

}  // namespace

ErrorCode RegisterPictureLayoutOperations() {
  Registry& r = Registry::Get();
  ErrorCode error = kSuccess;
  if (error == kSuccess) error = r.RegisterImplementation<PictureOperations>(kPictureLayoutOperationsImpl);
  if (error == kSuccess)
    error = r.RegisterClass(kPictureLayoutOperationsBoss, kInvalidClass, "kPictureLayoutOperationsBoss",
                            {{IID_ILAYOUTOPERATIONPROVIDER, kPictureLayoutOperationsImpl}});
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kLayoutOperationService, kPictureLayoutOperationsBoss);
  return error;
}
