// Registration of hyperlinks, destinations, text anchors and items' plug-in data.
#pragma once

#include "host/core/IDs.h"

ErrorCode RegisterHyperlinkClasses();
