// The places translate-toolkit's rc2po names the texts of a resource script by, in the "#:"
// comments of its PO files (and in the location context of the XLIFF files po2xliff makes of
// them) and, for a text that occurs more than once, in msgctxt:
//   STRINGTABLE.IDS_X                    a string-table string
//   DIALOGEX.IDD_X.CAPTION               a dialog's caption (DIALOG or DIALOGEX)
//   DIALOGEX.IDD_X.PUSHBUTTON.IDOK       a control: its statement keyword and identifier
//   MENU.IDR_X.MENUITEM.ID_X             a menu item
//   MENU.IDR_X.POPUP.CAPTION             a popup
// Items inside nested popups carry the captions of the popups around them, spaces written as
// underscores, between the menu and the item: the top popup is left out for an item, kept for a
// popup (MENU.IDR_X.&File.POPUP.CAPTION is a popup inside "&File"). A msgctxt may hold several
// such places run together without a separator; a comment separates them by blanks and writes
// characters such as "&" as percent escapes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmk {

enum class PeerPlace { String, DialogCaption, Control, MenuItem, Popup };

struct PeerLocation {
    PeerPlace place = PeerPlace::String;
    std::string resource;   // the dialog or menu; empty for strings
    std::string keyword;    // a control's statement keyword ("LTEXT", "CONTROL")
    std::string ident;      // the control's, string's or menu item's identifier
    std::string popupPath;  // menus: the popups around the item as named above, joined by "."
};

// Every place a msgctxt names, in order; empty when it is no such place (or not wholly).
std::vector<PeerLocation> peerLocations(std::string_view context);
// Every place a reference comment's text names ("#: A B"), percent escapes decoded.
std::vector<PeerLocation> peerReferenceLocations(std::string_view references);

} // namespace qmk
