#include "document/card_model.h"

#include "document/card_file.h"
#include "document/card_json.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <set>
#include <type_traits>

using namespace vellamo::document;

namespace {

Tobs& putShape(CardDocument& doc, int slot, int left)
{
    Tobs& o = doc.object(slot);
    o.Kind = ShapeObject;
    o.ShapeKind = ShapeEllipse;
    o.Left = left;
    o.Top = 2000;
    o.Width = 3000;
    o.Height = 1500;
    o.Color = 0x0000FF;
    return o;
}

const CardStep& lastStep(CardModel& model)
{
    return *static_cast<const CardStep*>(model.history().command(model.history().count() - 1));
}

}  // namespace

TEST(CardModel, EveryKindOfChangeUndoesAndRedoesToTheSameFile)
{
    CardModel model;
    putShape(model.doc(), 3, 1000);
    putShape(model.doc(), 7, 5000).Text = "kept";
    model.doc().SelectedObject = 3;
    model.announceReplaced();

    struct Case {
        const char* name;
        std::function<void(CardChange&)> edit;
    };
    const Case cases[] = {
        {"colour", [](CardChange& c) { c.object(3).Color = 0x00FF00; }},
        {"delete", [](CardChange& c) { c.deleteObject(3); }},
        {"to the front",
         [](CardChange& c) {
             c.moveSlot(3, LastSlot);
             c.select(LastSlot);
         }},
        {"new object",
         [](CardChange& c) {
             const int slot = c.doc().lowestFreeSlot();
             Tobs& o = c.object(slot);
             o.Kind = TextObject;
             o.Text = "A\rB";
             c.select(slot);
         }},
        {"template",
         [](CardChange& c) {
             c.clearall();
             Tobs& o = c.object(c.doc().lowestFreeSlot());
             o.Kind = TextObject;
             o.Text = "[First Name]";
             c.setBackground({CenterZoomedIn, "back.png", {}});
         }},
        {"card format",
         [](CardChange& c) {
             CardFormat f = c.doc().Format;
             f.CardWidth = 85;
             c.setFormat(f);
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QByteArray before = cardToBytes(model.doc());
        {
            CardChange change(model, QString::fromLatin1(test.name));
            test.edit(change);
            EXPECT_TRUE(change.commit());
        }
        const QByteArray after = cardToBytes(model.doc());
        EXPECT_NE(after, before);
        EXPECT_EQ(model.history().undoText(), QString::fromLatin1(test.name));
        model.history().undo();
        EXPECT_EQ(cardToBytes(model.doc()), before);
        EXPECT_EQ(model.doc().SelectedObject, 3);
        model.history().redo();
        EXPECT_EQ(cardToBytes(model.doc()), after);
        model.history().undo();
    }
}

TEST(CardModel, ANewCardFormatKeepsEveryObjectInItsPlaceOnTheCard)
{
    CardModel model;
    CardFormat small = model.doc().Format;
    small.CardWidth = 85;
    small.CardHeight = 54;
    model.doc().Format = small;
    model.doc().updateExtents();
    putShape(model.doc(), 3, 66929 + 500).Top = 42519 + 700;  // 500 and 700 units into the card
    putShape(model.doc(), 9, -20).Top = 5;                    // far outside, top left
    model.doc().object(4).Left = 1234;                        // a free slot keeps what it holds
    model.announceReplaced();
    const QByteArray before = cardToBytes(model.doc());

    CardFormat wider = small;
    wider.CardWidth = 90;
    wider.CardHeight = 55;
    CardChange change(model, QStringLiteral("Card Format"));
    change.setFormat(wider);
    ASSERT_TRUE(change.commit());
    // The card's corner moved from (66929, 42519) to (70866, 43307).
    EXPECT_EQ(model.doc().object(3).Left, 70866 + 500);
    EXPECT_EQ(model.doc().object(3).Top, 43307 + 700);
    EXPECT_EQ(model.doc().object(9).Left, -20 + 3937);
    EXPECT_EQ(model.doc().object(9).Top, 5 + 788);
    EXPECT_EQ(model.doc().object(4).Left, 1234);
    EXPECT_EQ(model.doc().object(3).Width, 3000);

    ASSERT_EQ(model.history().count(), 1);
    model.history().undo();
    EXPECT_EQ(cardToBytes(model.doc()), before) << "one undo gives back the format and the places";
}

TEST(CardModel, AStepKeepsOnlyWhatChanged)
{
    CardModel model;
    for (int slot = 1; slot <= 50; ++slot)
        putShape(model.doc(), slot, slot * 100);
    model.announceReplaced();

    CardChange move(model, QStringLiteral("Colour"));
    move.object(4).Color = 0x112233;
    move.object(5);  // touched but left as it was
    move.commit();
    const CardStep& step = lastStep(model);
    ASSERT_EQ(step.objects.size(), 1u);
    EXPECT_EQ(step.objects[0].slot, 4);
    EXPECT_FALSE(step.background || step.format || step.fileName);

    // Clearing touches the used slots and those whose shadow offsets are not 5, no others.
    model.doc().object(900).ShadowDX = 7;
    CardChange clear(model, QStringLiteral("Template"));
    clear.clearall();
    clear.commit();
    EXPECT_EQ(lastStep(model).objects.size(), 51u);
    model.history().undo();
    EXPECT_EQ(model.doc().object(900).ShadowDX, 7);
    EXPECT_EQ(model.doc().object(50).Kind, ShapeObject);
}

TEST(CardModel, UnchangedOrUnfinishedChangesLeaveNoStep)
{
    CardModel model;
    putShape(model.doc(), 2, 100);
    QSignalSpy changed(&model, &CardModel::cardChanged);
    {
        CardChange change(model, QStringLiteral("Colour"));
        change.object(2).Color = 0x0000FF;  // the colour it had
        EXPECT_FALSE(change.commit());
    }
    {
        CardChange cancelled(model, QStringLiteral("Text"));
        cancelled.object(2).Text = "typed, then cancelled";
        cancelled.doc().SelectedObject = 2;
        cancelled.setBackground({TileBackground, "x.png", {}});
    }
    EXPECT_EQ(model.history().count(), 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(model.doc().object(2).Text, "");
    EXPECT_EQ(model.doc().SelectedObject, 0);
    EXPECT_EQ(model.doc().BackgroundMode, NoBackground);
    EXPECT_FALSE(model.isModified());
}

TEST(CardModel, UnsavedStateFollowsSaveUndoAndRedo)
{
    CardModel model;
    QSignalSpy modified(&model, &CardModel::modifiedChanged);
    EXPECT_FALSE(model.isModified());
    putShape(model.doc(), 1, 0);
    CardChange first(model, QStringLiteral("Colour"));
    first.object(1).Color = 1;
    first.commit();
    EXPECT_TRUE(model.isModified());
    model.markSaved();
    EXPECT_FALSE(model.isModified());
    CardChange second(model, QStringLiteral("Colour"));
    second.object(1).Color = 2;
    second.commit();
    EXPECT_TRUE(model.isModified());
    model.history().undo();
    EXPECT_FALSE(model.isModified()) << "back at the saved state";
    model.history().undo();
    EXPECT_TRUE(model.isModified());
    model.history().redo();
    EXPECT_FALSE(model.isModified());
    ASSERT_GE(modified.count(), 5);
    EXPECT_EQ(modified.last().at(0).toBool(), false);

    model.announceReplaced();
    EXPECT_FALSE(model.isModified());
    EXPECT_FALSE(model.history().canUndo()) << "undo after New or Open does nothing";
}

TEST(CardModel, SignalsSayWhatChanged)
{
    CardModel model;
    putShape(model.doc(), 1, 0);
    QSignalSpy changed(&model, &CardModel::cardChanged);
    QSignalSpy format(&model, &CardModel::cardFormatChanged);
    QSignalSpy selection(&model, &CardModel::selectionChanged);

    CardChange colour(model, QStringLiteral("Colour"));
    colour.object(1).Color = 5;
    colour.commit();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(format.count(), 0);
    EXPECT_EQ(selection.count(), 0);

    CardChange size(model, QStringLiteral("Card Format"));
    CardFormat f = model.doc().Format;
    f.CardHeight = 50;
    size.setFormat(f);
    size.commit();
    EXPECT_EQ(format.count(), 1);
    EXPECT_EQ(model.doc().CardExtentY, 118110);  // Trunc(50 x 3 x 20000 / 25.39995)
    model.history().undo();
    EXPECT_EQ(format.count(), 2);
    EXPECT_EQ(model.doc().CardExtentY, 129921);
    EXPECT_EQ(changed.count(), 3);

    model.select(1);
    model.select(1);
    ASSERT_EQ(selection.count(), 1);
    EXPECT_EQ(selection.at(0).at(0).toInt(), 1);
    EXPECT_EQ(changed.count(), 3) << "selecting is no change of the card";
}

TEST(CardModel, AMoveIsOneStepOfItsBox)
{
    CardModel model;
    Tobs& o = putShape(model.doc(), 9, 1000);
    model.doc().SelectedObject = 9;
    const QByteArray before = cardToBytes(model.doc());
    const ObjectBox from = boxOf(o);
    o.Left = 4000;  // where the drag left it
    model.perform(new MoveObject(model, 9, from, boxOf(o), QStringLiteral("Move")));
    const QByteArray after = cardToBytes(model.doc());
    model.doc().SelectedObject = 0;
    model.history().undo();
    EXPECT_EQ(cardToBytes(model.doc()), before);
    EXPECT_EQ(model.doc().SelectedObject, 9) << "the moved object is shown selected";
    model.history().redo();
    EXPECT_EQ(cardToBytes(model.doc()), after);
    EXPECT_EQ(model.history().undoText(), QStringLiteral("Move"));
}

// Changing any one stored field alone must reach every place derived from the field list: the
// undo history, the card file and the dump.
TEST(StoredFields, EachFieldAloneMakesAStepADifferentFileAndADifferentDump)
{
    CardModel model;
    Tobs& base = putShape(model.doc(), 4, 1000);
    base.Text = "text";
    base.FontName = "Arial";
    model.announceReplaced();
    const QByteArray file = cardToBytes(model.doc());
    const auto dump = [&] {
        QByteArray json;
        writeCardJson(model.doc(), [&](const QByteArray& piece) { json += piece; });
        return json;
    };
    const QByteArray json = dump();

    std::set<std::string> names;
    visitStoredFields([&](const char* name, auto member) {
        names.insert(name);
        SCOPED_TRACE(name);
        const int stepsBefore = model.history().index();
        {
            CardChange change(model, QString::fromLatin1(name));
            auto& field = change.object(4).*member;
            using Field = std::remove_reference_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, bool>)
                field = !field;
            else if constexpr (std::is_same_v<Field, std::string>)
                field += "x";
            else
                field = Field(field + 1);
            ASSERT_TRUE(change.commit());
        }
        EXPECT_EQ(model.history().index(), stepsBefore + 1);
        EXPECT_NE(cardToBytes(model.doc()), file);
        EXPECT_NE(dump(), json);
        model.history().undo();
        EXPECT_EQ(cardToBytes(model.doc()), file);
        EXPECT_EQ(dump(), json);
    });
    EXPECT_EQ(names.size(), 26u) << "every stored field once";
}
