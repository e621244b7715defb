// Registration of pictures and links in the layout: image items, link resources, frames' placement
// options, the document's link list and the picture commands.
#pragma once

// Called once from the layout area's registration, after the page item classes.
void RegisterPictureClasses();
