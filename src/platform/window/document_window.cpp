// The reading window: a page of blocks drawn into a Qt text document, scaled like the game.
#include "platform/window/document_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

#include "platform/window/control_support.h"
#include "platform/window/controls.h"
#include "platform/window/event_gate.h"

namespace vr {

namespace {

// In the game's pixels, multiplied by the scale.
constexpr int kHeadingPixels = 15;
constexpr int kPageMargin = 8;
constexpr int kHeadingGap = 10;  // above a heading that follows other blocks
constexpr int kBlockGap = 6;     // below every block
constexpr int kCellPadding = 3;
constexpr int kButtonGap = 4;
// Never larger than this share of the screen, whatever the scale.
constexpr int kScreenSharePercent = 90;

QString page_text(const Text& text) {
    QString shown = text.shown();
    // A line break inside a paragraph, not a new paragraph.
    shown.replace('\n', QChar::LineSeparator);
    return shown;
}

QTextBlockFormat block_format(int gap_above, int scale) {
    QTextBlockFormat format;
    format.setTopMargin(gap_above * scale);
    format.setBottomMargin(kBlockGap * scale);
    return format;
}

bool is_escape(const QEvent& event) {
    return event.type() == QEvent::KeyPress && static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
}

}  // namespace

DocumentWindow::DocumentWindow(Window& owner, int width, int height)
    : QWidget(&owner, Qt::Window),
      owner_(owner),
      browser_(new QTextBrowser(this)),
      buttons_(new QHBoxLayout),
      width_(width),
      height_(height) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    layout->addLayout(buttons_);
    buttons_->addStretch();
    browser_->setOpenLinks(false);
    // Scrolling and reading go on while the game plays its turn or an animation, and Escape
    // closes the page then too: the browser ignores it, and the window would get it only after
    // the game's handler.
    EventGate::set_passes_input(browser_);
    browser_->installEventFilter(this);
    apply_scale(owner.scale());
}

void DocumentWindow::set_caption(const Text& caption) {
    caption_ = caption;
    setWindowTitle(caption.shown());
}

void DocumentWindow::clear() {
    blocks_.clear();
}

void DocumentWindow::add_heading(const Text& text) {
    blocks_.push_back(Heading{text});
}

void DocumentWindow::add_paragraph(const Text& text) {
    blocks_.push_back(Paragraph{text});
}

void DocumentWindow::add_picture(const Picture& picture) {
    blocks_.push_back(picture);
}

void DocumentWindow::add_table(DocumentTable table) {
    blocks_.push_back(std::move(table));
}

void DocumentWindow::add_button(DocumentButton button, const Text& caption) {
    auto* push = new QPushButton(caption.shown(), this);
    button_captions_.emplace_back(push, caption);
    // Only the page passes the event gate: a click on a button waits for the game's handler like
    // any click, so Qt's modal About box never opens inside one of the game's pauses.
    if (button == DocumentButton::Close) {
        connect(push, &QPushButton::clicked, this, &QWidget::close);
    } else {
        connect(push, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this); });
    }
    buttons_->addWidget(push);
    apply_scale(scale_);
}

void DocumentWindow::open() {
    draw_page();
    browser_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
    browser_->setFocus();
}

bool DocumentWindow::bring_to_front() {
    if (!isVisible()) return false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    return true;
}

void DocumentWindow::apply_scale(int scale) {
    const double place = reading_place();
    scale_ = scale;
    QFont font = owner_.font();
    font.setPixelSize(owner_.font().pixelSize() * scale);
    setFont(font);
    buttons_->setContentsMargins(kButtonGap * scale, kButtonGap * scale, kButtonGap * scale,
                                 kButtonGap * scale);
    buttons_->setSpacing(kButtonGap * scale);
    fit_window();
    // A closed window draws its page when it opens.
    if (isVisible()) draw_page_at(place);
}

const QTextDocument& DocumentWindow::page() const {
    return *browser_->document();
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == browser_ && is_escape(*event)) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DocumentWindow::keyPressEvent(QKeyEvent* event) {
    if (is_escape(*event)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DocumentWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(caption_.shown());
        for (const auto& [button, caption] : button_captions_) button->setText(caption.shown());
        // One pick of a language brings the news several times (through the owner, as a window
        // of its own, once per translator): the page is drawn anew at the first. A closed window
        // draws its page when it opens.
        if (isVisible() && drawn_language_ != installed_language()) draw_page_at(reading_place());
    }
    QWidget::changeEvent(event);
}

double DocumentWindow::reading_place() const {
    const QScrollBar& bar = *browser_->verticalScrollBar();
    return bar.maximum() > 0 ? static_cast<double>(bar.value()) / bar.maximum() : 0.0;
}

void DocumentWindow::scroll_to(double place) {
    QScrollBar& bar = *browser_->verticalScrollBar();
    bar.setValue(static_cast<int>(place * bar.maximum()));
}

void DocumentWindow::draw_page_at(double place) {
    draw_page();
    scroll_to(place);
}

void DocumentWindow::fit_window() {
    QSize size(width_ * scale_, height_ * scale_);
    if (const QScreen* screen = owner_.screen()) {
        const QSize room = screen->availableGeometry().size() * kScreenSharePercent / 100;
        size = size.boundedTo(room);
    }
    resize(size);
}

void DocumentWindow::draw_page() {
    // Written apart from the browser and handed to it whole: a shown browser lays the page out
    // again at every insertion, which took over half a second for 遊び方.
    drawn_language_ = installed_language();
    auto* document = new QTextDocument(browser_);
    document->setDefaultFont(font());
    document->setDocumentMargin(kPageMargin * scale_);
    pictures_drawn_ = 0;
    QTextCursor cursor(document);
    QTextCharFormat plain;
    plain.setFont(font());
    QTextCharFormat heading;
    QFont heading_font = font();
    heading_font.setPixelSize(kHeadingPixels * scale_);
    heading_font.setBold(true);
    heading.setFont(heading_font);

    // A new document starts with an empty block, and a table leaves one after it: each is used
    // for the next block instead of adding another.
    bool empty_block = true;
    bool first = true;
    for (const Block& block : blocks_) {
        const bool is_heading = std::holds_alternative<Heading>(block);
        const QTextBlockFormat format = block_format(is_heading && !first ? kHeadingGap : 0, scale_);
        const QTextCharFormat& chars = is_heading ? heading : plain;
        if (empty_block) {
            cursor.setBlockFormat(format);
            cursor.setCharFormat(chars);
        } else {
            cursor.insertBlock(format, chars);
        }
        empty_block = false;
        first = false;
        if (const auto* text = std::get_if<Heading>(&block)) {
            cursor.insertText(page_text(text->text), heading);
        } else if (const auto* text = std::get_if<Paragraph>(&block)) {
            cursor.insertText(page_text(text->text), plain);
        } else if (const auto* picture = std::get_if<Picture>(&block)) {
            insert_picture(cursor, *picture);
        } else {
            insert_table(cursor, std::get<DocumentTable>(block));
            cursor.movePosition(QTextCursor::End);
            empty_block = true;
        }
    }
    // The page drawn before goes; Qt deletes its own first one itself.
    QTextDocument* before = browser_->document();
    const bool drawn_here = before->parent() == browser_;
    browser_->setDocument(document);
    if (drawn_here) delete before;
}

void DocumentWindow::insert_picture(QTextCursor& cursor, const Picture& picture) {
    const QString name = QStringLiteral("picture:%1").arg(++pictures_drawn_);
    QTextImageFormat format;
    format.setName(name);
    // A picture that is not there still takes its place, so the gap shows.
    if (!picture.is_null()) {
        const QImage image = picture.image().scaled(picture.width() * scale_, picture.height() * scale_,
                                                    Qt::IgnoreAspectRatio, Qt::FastTransformation);
        cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
        format.setWidth(image.width());
        format.setHeight(image.height());
    }
    cursor.insertImage(format);
}

void DocumentWindow::insert_table(QTextCursor& cursor, const DocumentTable& table) {
    const int columns = static_cast<int>(table.header.size());
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(kCellPadding * scale_);
    format.setHeaderRowCount(1);
    format.setBottomMargin(kBlockGap * scale_);
    // Japanese breaks between any two characters: a name column given no width shrinks to a few.
    QList<QTextLength> widths;
    for (int column = 0; column < columns; ++column) {
        const int width = column < static_cast<int>(table.widths.size()) ? table.widths[column] : 0;
        widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, width * scale_) : QTextLength());
    }
    format.setColumnWidthConstraints(widths);
    QTextTable* grid = cursor.insertTable(static_cast<int>(table.rows.size()) + 1, columns, format);

    const auto fill = [&](int row, int column, const DocumentCell& cell, bool header) {
        QTextTableCell place = grid->cellAt(row, column);
        QTextCharFormat cell_format = place.format();
        cell_format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
        // The header row in the owner's back colour, so the page reads as part of its window.
        if (header) cell_format.setBackground(owner_.client()->palette().color(QPalette::Window));
        place.setFormat(cell_format);
        QTextCursor at = place.firstCursorPosition();
        const bool centred = column < static_cast<int>(table.centred.size()) && table.centred[column];
        QTextBlockFormat alignment = at.blockFormat();
        alignment.setAlignment(header || centred ? Qt::AlignHCenter : Qt::AlignLeft);
        at.setBlockFormat(alignment);
        if (cell.picture) {
            insert_picture(at, *cell.picture);
            return;
        }
        QTextCharFormat chars;
        chars.setFont(font());
        if (header) chars.setFontWeight(QFont::Bold);
        at.insertText(page_text(cell.text), chars);
    };
    for (int column = 0; column < columns; ++column) fill(0, column, table.header[column], true);
    for (size_t row = 0; row < table.rows.size(); ++row) {
        for (int column = 0; column < columns && column < static_cast<int>(table.rows[row].size()); ++column)
            fill(static_cast<int>(row) + 1, column, table.rows[row][column], false);
    }
}

}  // namespace vr
