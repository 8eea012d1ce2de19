// A window of its own for reading beside the game: headings, paragraphs, tables and pictures on
// one scrolling page, shown at the game window's scale. It never pauses or blocks the game.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/language/language.h"
#include "platform/language/text.h"
#include "platform/window/picture.h"

class QHBoxLayout;
class QPushButton;
class QTextBrowser;
class QTextCursor;
class QTextDocument;

namespace vr {

class Window;

// A table cell: a text, or a picture (which takes its place even when it is missing).
struct DocumentCell {
    DocumentCell(Text text) : text(std::move(text)) {}
    DocumentCell(MarkedText text) : text(text) {}
    DocumentCell(Picture picture) : picture(std::move(picture)) {}
    Text text;
    std::optional<Picture> picture;
};

struct DocumentTable {
    std::vector<Text> header = {};
    std::vector<std::vector<DocumentCell>> rows = {};
    std::vector<bool> centred = {};  // by column: numbers read best centred; missing columns are not
    std::vector<int> widths = {};    // by column, in the game's pixels; 0 or missing: as the text needs
};

// The buttons a window may have under its page.
enum class DocumentButton {
    Close,
    AboutQt,  // Qt's own About box
};

class DocumentWindow : public QWidget {
public:
    // A window of `owner`'s: it stays in front of it and goes when it goes. It is `width` x
    // `height` of the game's pixels at the owner's scale, and never larger than the screen.
    DocumentWindow(Window& owner, int width, int height);

    // Every text is shown in the language in use, and again in a new one as soon as it is chosen.
    void set_caption(const Text& caption);
    // The page is made of the blocks added since the last clear(), in order. Texts break their
    // lines at line feeds (a CR LF counts as one).
    void clear();
    void add_heading(const Text& text);
    void add_paragraph(const Text& text);
    void add_picture(const Picture& picture);
    void add_table(DocumentTable table);
    void add_button(DocumentButton button, const Text& caption);

    // Shows the window in front, its page drawn anew and at the top, ready for the keys.
    void open();
    // Brings an open window to the front as it is, where the reader left it; false when closed.
    bool bring_to_front();
    // Draws the page `scale` times larger: pictures pixel for pixel, text at the larger size; a
    // closed window when it opens.
    void apply_scale(int scale);
    int scale() const { return scale_; }
    // The page as drawn last; a picture that was not there is an image without its resource.
    const QTextDocument& page() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // Escape on the page closes
    void keyPressEvent(QKeyEvent* event) override;               // Escape on a button closes
    void changeEvent(QEvent* event) override;                    // a new language: every text anew

private:
    struct Heading {
        Text text;
    };
    struct Paragraph {
        Text text;
    };
    using Block = std::variant<Heading, Paragraph, Picture, DocumentTable>;

    // How far down the page the reader is, 0 to 1, so a page drawn anew opens at the same place.
    double reading_place() const;
    void scroll_to(double place);
    void draw_page();
    void draw_page_at(double place);
    void insert_picture(QTextCursor& cursor, const Picture& picture);
    void insert_table(QTextCursor& cursor, const DocumentTable& table);
    void fit_window();

    Window& owner_;
    QTextBrowser* browser_;
    QHBoxLayout* buttons_;
    std::vector<std::pair<QPushButton*, Text>> button_captions_;
    Text caption_;
    std::vector<Block> blocks_;
    int width_;
    int height_;
    int scale_ = 1;
    int pictures_drawn_ = 0;                        // names each picture of the page drawn last
    Language drawn_language_ = Language::Japanese;  // the language of the page drawn last
};

}  // namespace vr
