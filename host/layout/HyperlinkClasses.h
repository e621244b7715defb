// Registration of hyperlinks, destinations, text anchors and items' plug-in data.
#pragma once

void RegisterHyperlinkClasses();
