#include "document/card_format_list.h"

#include "support/bytes.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace vellamo::document;
using vellamo::testing::Bytes;
using vellamo::testing::formatRecord;
using vellamo::testing::ScriptedPrompter;
using ScriptedEditor = vellamo::testing::ScriptedFormatEditor;

using vellamo::testing::readFile;
using vellamo::testing::writeFile;

namespace {

QByteArray listFile(std::initializer_list<std::string> names)
{
    Bytes b;
    b.i32(64687).i32(int(names.size()));
    for (const auto& n : names)
        b.raw(formatRecord(0, 0, 90, 55, 90, 55, 2, 5, n));
    return b.data;
}

std::vector<std::string> names(const std::vector<CardFormat>& entries)
{
    std::vector<std::string> n;
    for (const auto& e : entries)
        n.push_back(e.Name);
    return n;
}

class FormatList : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("Visiten.dat");
    ScriptedEditor editor;
    ScriptedPrompter ask;
    CardFormatListLogic logic{file, editor, ask};
};

}  // namespace

TEST(CardFormatListFile, RoundTripsByteForByte)
{
    QByteArray bytes = listFile({"A", "Second", "C"});
    bytes[8 + 112 + 56 + 10] = 'z';  // left over behind the name
    const auto entries = cardFormatListFromBytes(bytes);
    ASSERT_TRUE(entries);
    EXPECT_EQ(names(*entries), (std::vector<std::string>{"A", "Second", "C"}));
    EXPECT_EQ(cardFormatListToBytes(*entries), bytes);
    EXPECT_EQ(cardFormatListToBytes({}), Bytes().i32(64687).i32(0).data);
}

TEST(CardFormatListFile, DamagedFiles)
{
    EXPECT_FALSE(cardFormatListFromBytes(Bytes().i32(12345).i32(0).data)) << "wrong magic";
    EXPECT_FALSE(cardFormatListFromBytes(Bytes().i32(64687).i32(-1).data)) << "negative count";
    EXPECT_FALSE(cardFormatListFromBytes(QByteArray("\xAF\xFC", 2)));
    // More claimed than present: the complete records stay.
    QByteArray shortFile = listFile({"A", "B"});
    shortFile[4] = char(100);
    shortFile.chop(10);
    const auto entries = cardFormatListFromBytes(shortFile);
    ASSERT_TRUE(entries);
    EXPECT_EQ(names(*entries), std::vector<std::string>{"A"});
    // Records the program cannot use come back as stored, to the byte.
    Bytes broken;
    broken.i32(64687).i32(1).raw(formatRecord(-1, 0, 90, 55, 0, 55, 51, 0, "zero"));
    broken.data[8 + 56] = char(77);  // a length byte no name can have
    const auto kept = cardFormatListFromBytes(broken.data);
    ASSERT_TRUE(kept);
    EXPECT_EQ((*kept)[0].MarginLeft, -1.0);
    EXPECT_EQ((*kept)[0].Columns, 51);
    EXPECT_EQ((*kept)[0].Rows, 0);
    EXPECT_EQ((*kept)[0].CardWidth, 0.0);
    EXPECT_EQ(cardFormatListToBytes(*kept), broken.data);
}

TEST_F(FormatList, RecordsTheUserDidNotEditAreWrittenBackAsRead)
{
    Bytes b;
    b.i32(64687).i32(2);
    b.raw(formatRecord(-1, 0, 0, 55, 0, 55, 51, 0, "odd"));
    b.raw(formatRecord(0, 0, 90, 55, 90, 55, 2, 5, "plain"));
    writeFile(file, b.data);

    // Looked at, then closed with Cancel: the file is the same to the byte.
    logic.show();
    logic.select(0);
    logic.close();
    EXPECT_EQ(readFile(file), b.data);

    // Chosen with OK: the card gets a usable format, the list keeps the record as it was.
    logic.show();
    CardFormat current;
    ASSERT_TRUE(logic.okClicked(current));
    logic.close();
    EXPECT_EQ(readFile(file), b.data);
    EXPECT_EQ(current.MarginLeft, 0.0);
    EXPECT_EQ(current.Columns, 50);
    EXPECT_EQ(current.Rows, 1);
    EXPECT_EQ(current.CardWidth, 1.0);
    EXPECT_EQ(current.PitchX, 1.0) << "the corrected card keeps the cards apart";
    EXPECT_EQ(current.Name, "odd");

    // Confirmed in the edit dialog: now the record itself is corrected.
    logic.show();
    editor.results = {true};
    logic.changeClicked();
    logic.close();
    const auto written = cardFormatListFromBytes(readFile(file));
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)[0].MarginLeft, 0.0);
    EXPECT_EQ((*written)[0].Columns, 50);
    EXPECT_EQ((*written)[0].Rows, 1);
    EXPECT_EQ((*written)[0].CardWidth, 1.0);
    EXPECT_EQ(readFile(file).mid(8 + 112), b.data.mid(8 + 112)) << "the other record untouched";
}

TEST(CardFormatDialog, RecordAndDialogConvertWithTheOneFactor)
{
    CardFormat f;
    f.MarginLeft = 25.39995;
    f.MarginTop = 2 * 25.39995;
    f.CardWidth = 90;
    f.PitchX = 95;
    f.CardHeight = 55;
    f.PitchY = 55;
    f.Columns = 3;
    f.Rows = 7;
    setCardFormatName(f, "Mine");
    const CardFormatDialogValues v = recordToDialog(f);
    EXPECT_DOUBLE_EQ(v.RLED, 1.0);
    EXPECT_DOUBLE_EQ(v.ROED, 2.0);
    EXPECT_DOUBLE_EQ(v.AHED, 5 / 25.39995);
    EXPECT_EQ(v.AVED, 0.0);
    EXPECT_DOUBLE_EQ(v.BrED, 90 / 25.39995);
    EXPECT_EQ(v.AnzHED, 3);
    EXPECT_EQ(v.NameED, "Mine");

    CardFormat back;
    dialogToRecord(v, back);
    EXPECT_NEAR(back.CardWidth, 90, 1e-9);
    EXPECT_NEAR(back.PitchX, 95, 1e-9);
    EXPECT_NEAR(back.PitchY, 55, 1e-9);
    EXPECT_EQ(back.Columns, 3);
    EXPECT_EQ(back.Rows, 7);
    EXPECT_EQ(back.Name, "Mine");

    CardFormatDialogValues odd = v;
    odd.AnzHED = 2.9;
    odd.NameED = QString(60, 'n');
    odd.BrED = 0;  // the dialog allows it; a card of no size is not kept
    dialogToRecord(odd, back);
    EXPECT_EQ(back.Columns, 2);
    EXPECT_EQ(back.Name, std::string(50, 'n'));
    EXPECT_EQ(back.CardWidth, 1.0);
}

TEST(CardFormatDialog, ValuesThatMakeNoFormatAreNamed)
{
    const CardFormatDialogValues good;
    EXPECT_EQ(cardFormatValuesProblem(good), std::nullopt);
    const auto problem = [&](const std::function<void(CardFormatDialogValues&)>& change) {
        CardFormatDialogValues v = good;
        change(v);
        return cardFormatValuesProblem(v).value_or("(accepted)");
    };
    EXPECT_EQ(problem([](auto& v) { v.NameED = "  "; }), "The name of the card type must not be empty.");
    EXPECT_EQ(problem([](auto& v) { v.BrED = 0; }), "The card width must be greater than 0.");
    EXPECT_EQ(problem([](auto& v) { v.BrED = std::nan(""); }), "The card width must be greater than 0.");
    EXPECT_EQ(problem([](auto& v) { v.HoED = -1; }), "The card height must be greater than 0.");
    EXPECT_EQ(problem([](auto& v) { v.AHED = -0.1; }),
              "The horizontal space between the cards must not be less than 0: the cards would overlap.");
    EXPECT_EQ(problem([](auto& v) { v.AVED = -0.1; }),
              "The vertical space between the cards must not be less than 0: the cards would overlap.");
    EXPECT_EQ(problem([](auto& v) { v.AnzHED = 0; }),
              "The number of cards across a sheet must lie between 1 and 50.");
    EXPECT_EQ(problem([](auto& v) { v.AnzVED = 51; }),
              "The number of cards down a sheet must lie between 1 and 50.");
    EXPECT_EQ(problem([](auto& v) {
                  v.AnzHED = 50;
                  v.AnzVED = 1;
                  v.AHED = 0;
              }),
              "(accepted)")
        << "the limits themselves and cards that touch are fine";
}

TEST_F(FormatList, EmptyListOfferedNoName0AndOkNeedsASelection)
{
    writeFile(file, Bytes().i32(64687).i32(0).data);  // an existing empty list stays empty
    logic.show();
    EXPECT_TRUE(logic.entries().empty());
    EXPECT_EQ(logic.selected(), -1);

    CardFormat current = defaultCardFormat();
    EXPECT_FALSE(logic.okClicked(current));
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].caption, "Error");
    EXPECT_EQ(ask.messages[0].text, "You do not have selected an Business Card type.");
    EXPECT_EQ(ask.messages[0].icon, MessageIcon::Error);

    logic.changeClicked();
    logic.deleteClicked();
    EXPECT_TRUE(editor.shown.empty());
    EXPECT_EQ(ask.messages.size(), 1u);

    logic.newClicked();  // cancelled
    ASSERT_EQ(editor.shown.size(), 1u);
    EXPECT_EQ(editor.shown[0].NameED, "No name0");
    EXPECT_TRUE(logic.entries().empty());

    logic.close();
    EXPECT_EQ(readFile(file), Bytes().i32(64687).i32(0).data);
}

TEST_F(FormatList, NewAppendsFromTheKeptDialogValues)
{
    writeFile(file, listFile({"A", "B", "C"}));
    logic.show();
    EXPECT_EQ(logic.selected(), 0);
    editor.current.BrED = 3;  // left from an earlier use
    editor.results = {true};
    editor.edit = [](CardFormatDialogValues& v) { v.AHED = 1; };
    logic.newClicked();
    EXPECT_EQ(editor.shown[0].NameED, "No name3");
    EXPECT_EQ(editor.shown[0].BrED, 3);
    ASSERT_EQ(logic.entries().size(), 4u);
    EXPECT_EQ(logic.entries()[3].Name, "No name3");
    EXPECT_NEAR(logic.entries()[3].CardWidth, 3 * 25.39995, 1e-9);
    EXPECT_NEAR(logic.entries()[3].PitchX, 4 * 25.39995, 1e-9);
    EXPECT_EQ(logic.selected(), 3);

    // Cancel in the list dialog after New: the entry is in the file, the card format unchanged.
    logic.close();
    const auto saved = cardFormatListFromBytes(readFile(file));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 4u);
}

TEST_F(FormatList, ChangeOverwritesTheSelectedEntryOnlyOnOk)
{
    writeFile(file, listFile({"A", "B"}));
    logic.show();
    logic.select(1);
    editor.results = {false, true};
    editor.edit = [](CardFormatDialogValues& v) { v.NameED = "Renamed"; };
    logic.changeClicked();
    EXPECT_EQ(logic.entries()[1].Name, "B");
    EXPECT_EQ(editor.shown[0].NameED, "B");
    logic.changeClicked();
    EXPECT_EQ(logic.entries()[1].Name, "Renamed");
    EXPECT_EQ(logic.selected(), 1);
    EXPECT_NEAR(logic.entries()[1].CardWidth, 90, 1e-9);
}

TEST_F(FormatList, DeleteAsksAndKeepsTheOrder)
{
    writeFile(file, listFile({"A", "B", "C", "D"}));
    logic.show();
    ask.answers = {Answer::Cancel, Answer::Ok};
    logic.deleteClicked();
    EXPECT_EQ(logic.entries().size(), 4u);
    EXPECT_EQ(ask.messages[0].caption, "Note");
    EXPECT_EQ(ask.messages[0].text, "Hereby you delete the Business Card type.");
    EXPECT_EQ(ask.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ask.messages[0].icon, MessageIcon::Stop);
    logic.deleteClicked();
    EXPECT_EQ(names(logic.entries()), (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_EQ(logic.selected(), 0);

    for (int i = 0; i < 3; ++i) {
        ask.answers = {Answer::Ok};
        logic.deleteClicked();
    }
    EXPECT_TRUE(logic.entries().empty());
    EXPECT_EQ(logic.selected(), -1);
    logic.close();
    EXPECT_EQ(readFile(file).size(), 8);
}

TEST_F(FormatList, OkCopiesTheWholeRecordAndSaves)
{
    QByteArray bytes = listFile({"A", "B"});
    writeFile(file, bytes);
    logic.show();
    logic.select(1);
    CardFormat current = defaultCardFormat();
    EXPECT_TRUE(logic.okClicked(current));
    EXPECT_EQ(current.Name, "B");
    EXPECT_EQ(current.Columns, 2);
    EXPECT_EQ(readFile(file), bytes);
}

TEST_F(FormatList, ADamagedListIsReportedOnceAndKeptBeforeItIsReplaced)
{
    QByteArray damaged = listFile({"A", "B", "C", "D", "E"});
    damaged[0] = 'X';  // the magic
    writeFile(file, damaged);
    logic.show();
    EXPECT_TRUE(logic.entries().empty());
    ASSERT_EQ(ask.messages.size(), 1u);
    EXPECT_EQ(ask.messages[0].text,
              "The list of card formats \"Visiten.dat\" is damaged: no card format could "
              "be read. Before the list is written again, the file is kept as \"" +
                  file + ".damaged\".");
    logic.close();  // Cancel
    EXPECT_EQ(readFile(file), damaged);
    logic.show();
    EXPECT_EQ(ask.messages.size(), 1u) << "told once";

    editor.results = {true};
    logic.newClicked();
    logic.close();
    EXPECT_EQ(readFile(file + ".damaged"), damaged);
    EXPECT_EQ(names(*cardFormatListFromBytes(readFile(file))), std::vector<std::string>{"No name0"});

    // More records stated than present: the ones read are offered, the file kept as well.
    QByteArray cut = listFile({"A", "B"});
    cut.chop(10);
    writeFile(file, cut);
    logic.show();
    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_TRUE(ask.messages[1].text.contains("is damaged: 1 of its 2 card formats could be read."));
    logic.deleteClicked();  // answered Ok
    logic.close();
    EXPECT_EQ(readFile(file + ".damaged.2"), cut);
    EXPECT_EQ(readFile(file), listFile({}));
}

TEST_F(FormatList, TwoProgramsKeepEachOthersEntries)
{
    writeFile(file, listFile({"A", "B"}));
    ScriptedEditor otherEditor;
    ScriptedPrompter otherAsk;
    CardFormatListLogic other{file, otherEditor, otherAsk};
    logic.show();
    other.show();
    otherEditor.results = {true};
    other.newClicked();
    other.close();
    // Looked at and cancelled here: the other program's entry stays.
    logic.close();
    EXPECT_EQ(names(*cardFormatListFromBytes(readFile(file))),
              (std::vector<std::string>{"A", "B", "No name2"}));

    // Both change the list: an entry deleted there, one added here.
    logic.show();
    other.show();
    other.select(0);
    other.deleteClicked();
    other.close();
    editor.results = {true};
    logic.newClicked();
    logic.close();
    EXPECT_EQ(names(*cardFormatListFromBytes(readFile(file))),
              (std::vector<std::string>{"B", "No name2", "No name3"}));
}

TEST_F(FormatList, AFailedSaveIsReportedAndTheListKeptForTheNextTry)
{
    writeFile(file, listFile({"old"}));
    const int status = vellamo::testing::runWithFileSizeLimit(200, [&] {
        int faults = 0;
        logic.show();
        editor.results = {true, true};
        logic.newClicked();
        logic.newClicked();
        CardFormat current;
        logic.okClicked(current);
        logic.close();
        if (ask.messages.size() != 1 ||
            !ask.messages[0].text.startsWith("Error: File could not be saved! (" + file + ")"))
            faults |= 1;
        logic.show();
        if (logic.entries().size() != 3)
            faults |= 2;
        logic.close();
        if (ask.messages.size() != 2)
            faults |= 4;
        return faults;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(file), listFile({"old"}));
}

TEST_F(FormatList, AFullDiskKeepsThePreviousList)
{
    writeFile(file, listFile({"old"}));
    CardFormatList list;
    list.entries.resize(3);
    EXPECT_EQ(vellamo::testing::runWithFileSizeLimit(64, [&] { return list.SaveEttTypes(file) ? 1 : 0; }), 0)
        << "the save must report its failure";
    EXPECT_EQ(readFile(file), listFile({"old"}));
    EXPECT_EQ(vellamo::testing::folderEntries(dir.path()), QStringList{"Visiten.dat"});
}
