// Registration of pictures and links in the layout: image items, link resources, frames' placement
// options, the document's link list and the picture commands.
#pragma once

#include "host/core/IDs.h"

// Called once from the layout area's registration, after the page item classes.
ErrorCode RegisterPictureClasses();
