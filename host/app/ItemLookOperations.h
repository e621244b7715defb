// ItemLookOperations: the layout operations that change how items look (fill, stroke, corner, wrap,
// new-object-style, object-style), provided to front ends through kLayoutOperationService.
#pragma once

#include "host/core/IDs.h"

// Registers the provider once; answers the registry's error when a registration was refused.
ErrorCode RegisterItemLookOperations();
