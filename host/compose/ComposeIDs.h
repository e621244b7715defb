// Identifiers of the compose area, from the host's compose block 0x20900: the story's composition results,
// the document's composition observer, and the change every composition announces.
#pragma once

#include "host/core/IDs.h"

inline constexpr PMIID IID_ISTORYCOMPOSITION = 0x20900;
inline constexpr PMIID IID_ICOMPOSEOBSERVER = 0x20901;
// Protocol on the document's subject on which "story composed" is sent.
inline constexpr PMIID IID_ICOMPOSECHANGES = 0x20902;

inline constexpr ImplementationID kStoryCompositionImpl = 0x20900;
inline constexpr ImplementationID kComposeObserverImpl = 0x20901;
inline constexpr ImplementationID kRecomposeCmdImpl = 0x20902;

// Composes the stories (or text frames' stories) of its item list to the end; see RecomposeCmd.
inline constexpr ClassID kRecomposeCmdBoss = 0x20901;

// Sent after each composition of a story, inside or outside a command; the changed-by data is a
// StoryComposedChange.
inline constexpr ClassID kStoryComposedChange = 0x20900;
