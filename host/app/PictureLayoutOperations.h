// PictureLayoutOperations: the layout operations for pictures and links (place, fit, content-transform,
// placement-options, relink, update-links), offered to front ends through kLayoutOperationService.
#pragma once

#include "host/core/IDs.h"

inline constexpr ClassID kPictureLayoutOperationsBoss = 0x20C30;
inline constexpr ImplementationID kPictureLayoutOperationsImpl = 0x20C30;

// Registers the provider's class and service; called once from the host's start-up.
ErrorCode RegisterPictureLayoutOperations();
