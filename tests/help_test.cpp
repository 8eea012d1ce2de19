// The menu ヘルプ: 遊び方 teaches from the catalogue the game plays with, in a window that leaves the
// game to play, and このゲームについて names the version, the licence and the soundfont.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "game_fixture.h"
#include "platform/program_info.h"

namespace vr::test {
namespace {

using Table = std::vector<QStringList>;  // rows of cell texts; a picture reads as U+FFFC

std::vector<Table> tables_of(const QTextDocument& page) {
    std::vector<Table> tables;
    for (QTextFrame* frame : page.rootFrame()->childFrames()) {
        auto* grid = qobject_cast<QTextTable*>(frame);
        if (!grid) continue;
        Table& table = tables.emplace_back();
        for (int row = 0; row < grid->rows(); ++row) {
            QStringList cells;
            for (int column = 0; column < grid->columns(); ++column) {
                QTextCursor cell = grid->cellAt(row, column).firstCursorPosition();
                cell.setPosition(grid->cellAt(row, column).lastPosition(), QTextCursor::KeepAnchor);
                cells << cell.selectedText();
            }
            table.push_back(cells);
        }
    }
    return tables;
}

// Every picture on the page, in order, as the image it shows; a null image when it is missing.
std::vector<QImage> pictures_of(const QTextDocument& page) {
    std::vector<QImage> pictures;
    for (QTextBlock block = page.begin(); block != page.end(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QUrl name(format.toImageFormat().name());
            pictures.push_back(page.resource(QTextDocument::ImageResource, name).value<QImage>());
        }
    }
    return pictures;
}

class HelpTest : public GameTest {
protected:
    const QTextDocument& page() { return form->help_window->page(); }

    // The Familiar and Magic tables, row by row, against the records the rules read, in the
    // headings and names the screen shows in the language in use.
    void expect_tables_are_the_catalogue() {
        const std::vector<Table> tables = tables_of(page());
        const auto with_columns = [&](int columns) -> const Table* {
            for (const Table& table : tables) {
                if (!table.empty() && table[0].size() == columns) return &table;
            }
            return nullptr;
        };
        const Table* kinds = with_columns(7);
        const Table* spells = with_columns(4);
        ASSERT_TRUE(kinds && spells) << "the page has a Familiar table and a Magic table";
        ASSERT_EQ(kinds->size(), size_t(kLastSlot + 2));
        ASSERT_EQ(spells->size(), size_t(kLastMagic + 2));
        EXPECT_EQ((*kinds)[0].mid(2, 4), QStringList({form->label_hp.text(), form->label_atk.text(),
                                                      form->label_mv.text(), form->label_mp.text()}))
            << "the data panel's headings";
        EXPECT_EQ((*spells)[0][2], form->label_mp.text());
        // The info panel shows a name, then its description on the lines below.
        const auto panel = [&] { return form->data_text.text().split('\n'); };
        for (int slot = 0; slot <= kLastSlot; ++slot) {
            const FamiliarRecord& kind = form->familiars(kHuman, slot);
            const QStringList& row = (*kinds)[slot + 1];
            form->show_familiar_info(kHuman, slot);
            EXPECT_EQ(row.mid(1, 5),
                      QStringList({panel()[0], QString::number(kind.hp), QString::number(kind.atk),
                                   QString::number(kind.mv), QString::number(kind.cost)}))
                << "Familiar " << slot;
            EXPECT_EQ(row[6] == "—", kind.ability.empty()) << "the ability of Familiar " << slot;
        }
        for (int index = 0; index <= kLastMagic; ++index) {
            const MagicRecord& magic = form->magics(index);
            form->show_magic_info(index);
            EXPECT_EQ((*spells)[index + 1].mid(1), QStringList({panel()[0], QString::number(magic.cost),
                                                                panel().mid(1).join(QChar::LineSeparator)}))
                << "Magic " << index;
        }
    }
};

TEST_F(HelpTest, HowToPlayTabulatesTheFamiliarsAndMagicsTheGamePlaysWith) {
    form->menu_howtoplay->click();
    ASSERT_NO_FATAL_FAILURE(expect_tables_are_the_catalogue());
    // Built anew from the records at every opening, so it can never tell another game; in either
    // language, and an open page takes a newly chosen one at once.
    form->familiars(kHuman, 5).cost = 11;
    form->magics(kMeteor).cost = 2;
    form->menu_language(1)->click();
    const QTextDocument* drawn = &page();
    QCoreApplication::processEvents();  // the news of the pick Qt posts
    EXPECT_EQ(&page(), drawn) << "one pick of a language draws the page once";
    form->help_window->close();
    form->menu_howtoplay->click();
    ASSERT_NO_FATAL_FAILURE(expect_tables_are_the_catalogue());
    form->menu_language(0)->click();
    expect_tables_are_the_catalogue();
}

TEST_F(HelpTest, EveryPictureOfHowToPlayIsTheGamesOwnAndWasFound) {
    form->menu_howtoplay->click();
    const std::vector<QImage> pictures = pictures_of(page());
    // The field, then the ten Familiars and the eight Magics of the tables.
    ASSERT_EQ(pictures.size(), size_t(1 + (kLastSlot + 1) + (kLastMagic + 1)));
    for (const QImage& picture : pictures) EXPECT_FALSE(picture.isNull()) << "a picture was not found";
    EXPECT_EQ(pictures[0].size(), form->field_picture.image().size());
    for (int slot = 0; slot <= kLastSlot; ++slot)
        EXPECT_EQ(pictures[1 + slot], form->familiars(kHuman, slot).picture.image()) << "Familiar " << slot;
    for (int index = 0; index <= kLastMagic; ++index)
        EXPECT_EQ(pictures[1 + kLastSlot + 1 + index], form->magics(index).picture.image())
            << "Magic " << index;
}

TEST_F(HelpTest, HowToPlayOpensBesideAPlayableGameWithF1AndClosesWithEscape) {
    begin_stage(1);
    dice.script({0.5f, 0.5f});  // side 1's rolls for MV and MP
    form->buttonturn_end.click();
    const QMenu* help = form->menuBar()->actions().at(2)->menu();
    ASSERT_EQ(help->actions().size(), 2);
    EXPECT_EQ(help->actions()[0]->text(), "遊び方");
    EXPECT_EQ(help->actions()[0]->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(help->actions()[1]->text(), "このゲームについて");

    pause.pauses.clear();
    form->menu_howtoplay->click();
    EXPECT_TRUE(form->help_window->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(pause.pauses.empty()) << "opening the help never pauses the game";
    form->buttonmove.click();
    EXPECT_EQ(form->ActionMode, "move") << "the game goes on taking commands";
    QScrollBar* place = form->help_window->findChild<QTextBrowser*>()->verticalScrollBar();
    place->setValue(place->maximum() / 2);
    const QTextDocument* drawn = &page();
    form->menu_howtoplay->click();
    EXPECT_EQ(&page(), drawn) << "F1 on an open page brings it to the front as it is";
    EXPECT_EQ(place->value(), place->maximum() / 2);

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form->help_window->findChild<QTextBrowser*>(), &escape);
    EXPECT_FALSE(form->help_window->isVisible());
    EXPECT_EQ(form->ActionMode, "move") << "Escape in the help is not the game's Escape";
    // Back in the game's window, Space and Enter keep pressing the screen's own button.
    form->show();
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->focusWidget(), nullptr) << "coming back does not put a button under Space";
}

TEST_F(HelpTest, AboutNamesTheVersionTheLicenceAndTheSoundfontTheMusicIsHeardWith) {
    using Hearing = MusicDevice::Hearing;
    struct Row {
        const char* rule;
        Hearing heard;
        std::string soundfont;
        QString says;
    };
    const std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    const Row rows[] = {
        {"the soundfont's own file", Hearing::Heard, font, QString::fromStdString(font)},
        {"no soundfont: no music", Hearing::Silent, "",
         "音色ファイル（サウンドフォント）が読み込まれていないので"},
        {"no sound output: no music, whatever the font", Hearing::Silent, font, "音を出す先"},
        {"opened before the music is set up", Hearing::SettingUp, "", "音楽はまだ準備中"},
        {"opened again once it is", Hearing::Heard, font, QString::fromStdString(font)},
    };
    for (const Row& row : rows) {
        music.heard = row.heard;
        music.soundfont = row.soundfont;
        form->menu_about->click();
        ASSERT_TRUE(form->about_window->isVisible());
        const QString text = form->about_window->page().toPlainText();
        for (const QString& part :
             {QString(program_version()), QString(kProgramLicence), QString("assets/"), row.says})
            EXPECT_TRUE(text.contains(part)) << row.rule << ": " << part.toStdString();
        EXPECT_EQ(text.contains(QString::fromStdString(font)), row.heard == Hearing::Heard)
            << row.rule << ": the font is named only when it is heard";
    }
}

}  // namespace
}  // namespace vr::test
