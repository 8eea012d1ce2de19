// The application's style, with the overflow arrows of menu bars and tool bars decoded only when
// one is drawn.
#pragma once

namespace vr {

// Installs the style once per application; later calls do nothing. Call it before the first menu
// bar is made: a menu bar asks for its overflow arrow as it is built, and Qt decodes that picture
// by asking every installed image plugin first, loading them all, before the title can paint. This
// window never shows the arrow, as its menus always fit.
void install_deferred_icon_style();

}  // namespace vr
