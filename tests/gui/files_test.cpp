#include "tests/gui/window_fixture.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QSet>

#include <cmath>

// How lines of a file are read is tested on the reader (fract_file_test);
// here: what the window does with a file, good or bad.

namespace {

using EdgeList = std::vector<std::pair<double, double>>;

class Files : public WindowTest {
protected:
    void SaveAs(const QString& path)
    {
        dialogs.files.push_back(path);
        Trigger(Speichern1());
    }

    void Open(const QString& path)
    {
        dialogs.files.push_back(path);
        Trigger(ffnen1());
    }

    void StartAnimation()
    {
        QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
        ASSERT_EQ(session->Mode(), modeAnimating);
    }

    // The file's name in the title; none: untitled.
    void ExpectTitle(const QString& name = QString())
    {
        EXPECT_EQ(window->windowTitle(), name.isEmpty() ? QStringLiteral("Ornalix") : QStringLiteral("Ornalix - ") + name);
    }

    EdgeList Edges() const
    {
        EdgeList edges;
        for (int i = 0; i < session->Generator.Count; ++i)
            edges.emplace_back(session->Generator.Items[i].Re, session->Generator.Items[i].Im);
        return edges;
    }
};

// Save As ---------------------------------------------------------------

TEST_F(Files, SaveAsWritesDepthModeAndEdgesWithCrLf)
{
    tbDepth()->setValue(3);
    SaveAs(Path(QStringLiteral("start.fract")));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("start.fract"))),
              QByteArray("3\r\n-1\r\n1\r\n0\r\n0.6\r\n-0.8\r\n-0.28\r\n0.96\r\n0.6\r\n-0.8\r\n"));
    ExpectTitle(QStringLiteral("start.fract"));
    EXPECT_TRUE(dialogs.messages.empty());

    // Points are written as 0; numbers keep 15 significant digits.
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    tbDepth()->setValue(1);
    session->Generator.Count = 2;
    session->Generator.Items[0].SetTo(2.0 / 3.0, -1e-5);
    session->Generator.Items[1].SetTo(1.5, 123456.789);
    SaveAs(Path(QStringLiteral("thirds.fract")));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("thirds.fract"))),
              QByteArray("1\r\n0\r\n0.666666666666667\r\n-1E-5\r\n1.5\r\n123456.789\r\n"));
    ExpectTitle(QStringLiteral("thirds.fract"));
}

TEST_F(Files, FileDialogsOfferFractFilesAndSaveWithoutAnOverwriteQuestion)
{
    const QStringList filters{QStringLiteral("Fraktaldateien (*.fract)"), QStringLiteral("Alle Dateien (*.*)")};
    const QFileDialog& save = (*Named<QFileDialog>(*window, "SaveDialog1"));
    EXPECT_EQ(save.defaultSuffix(), QStringLiteral("fract"));
    EXPECT_EQ(save.nameFilters(), filters);
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(save.testOption(QFileDialog::DontConfirmOverwrite));
    const QFileDialog& open = (*Named<QFileDialog>(*window, "OpenDialog1"));
    EXPECT_EQ(open.nameFilters(), filters);
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(open.testOption(QFileDialog::DontUseNativeDialog));

    const QString path = WriteFile(QStringLiteral("old.fract"), "old contents");
    SaveAs(path);
    EXPECT_EQ(dialogs.fileDialogsShown, 1);
    EXPECT_TRUE(dialogs.messages.empty()) << "no question before overwriting";
    EXPECT_TRUE(ReadBytes(path).startsWith("1\r\n-1\r\n1\r\n0\r\n"));
}

TEST_F(Files, CancelledDialogsChangeNothingAndSavingLeavesTheAnimationRunning)
{
    StartAnimation();
    const EdgeList before = Edges();
    SaveAs(QString());
    Open(QString());
    EXPECT_EQ(dialogs.fileDialogsShown, 2);
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_TRUE(session->Timer().isActive());
    EXPECT_EQ(Edges(), before);
    ExpectTitle();
    EXPECT_TRUE(QDir(files.path()).isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());

    SaveAs(Path(QStringLiteral("moving.fract")));
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_TRUE(session->Timer().isActive());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("moving.fract"))));
}

TEST_F(Files, AFailedSaveShowsTheErrorBoxAndKeepsTitleAndExistingFile)
{
    // No folder to write into.
    SaveAs(Path(QStringLiteral("missing/folder/a.fract")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Ornalix"));
    EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
    ExpectTitle();

    // A name of the longest length the folder takes leaves no room for a
    // temporary name beside it: the write fails even for the superuser, and
    // the file that is there must come through whole.
    const QString longName = QString(249, QLatin1Char('n')) + QStringLiteral(".fract");
    const QString existing = WriteFile(longName, "the old file\r\n");
    SaveAs(existing);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Ornalix"));
    EXPECT_EQ(ReadBytes(existing), QByteArray("the old file\r\n"));
    EXPECT_EQ(QDir(files.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{longName})
        << "no temporary file is left behind";
    ExpectTitle();
}

TEST_F(Files, AClosingFileDialogTakesItsListOfMatchingNamesAlong)
{
    for (QFileDialog* dialog : {&(*Named<QFileDialog>(*window, "OpenDialog1")), &(*Named<QFileDialog>(*window, "SaveDialog1")), &(*Named<QFileDialog>(*window, "SavePictureDialog1"))}) {
        for (const int result : {QDialog::Accepted, QDialog::Rejected}) {
            SCOPED_TRACE(testing::Message() << dialog->acceptMode() << " " << result);
            dialog->show();
            const QList<QCompleter*> completers = dialog->findChildren<QCompleter*>();
            ASSERT_FALSE(completers.isEmpty());
            // As typing a name that matches a file opens it.
            QAbstractItemView* list = completers.front()->popup();
            list->show();
            ASSERT_TRUE(list->isVisible());
            static_cast<QDialog*>(dialog)->done(result);
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_FALSE(list->isVisible());
        }
    }
}

// Open ------------------------------------------------------------------

TEST_F(Files, OpenTakesDepthModeAndEdgesAndShowsTheName)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(tbDepth()->value(), 5);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("5"));
    EXPECT_EQ(session->Viewer.Depth, 5);
    EXPECT_EQ(session->Generator.Count, 4);
    EXPECT_EQ(session->Viewer.PointCount, 1025) << "4^5 edges";
    EXPECT_TRUE(optLines()->isChecked());
    ExpectTitle(QStringLiteral("koch.fract"));
    EXPECT_NEAR(session->Generator.Items[1].Re, 0.5, 1e-15);
    EXPECT_NEAR(session->Generator.Items[1].Im, -0.866025403784439, 1e-15);
    EXPECT_EQ(session->Editor.PointCount, 5) << "the editor shows the new generator";

    Open(WriteFile(QStringLiteral("points.fract"), "$2\r\n0\r\n1\r\n0\r\n0\r\n1\r\n"));
    EXPECT_TRUE(optPoints()->isChecked());
    EXPECT_EQ(tbDepth()->value(), 2);
    EXPECT_EQ(Edges(), (EdgeList{{1, 0}, {0, 1}}));
    ExpectTitle(QStringLiteral("points.fract"));
}

TEST_F(Files, OpenStopsARunningAnimationFirstEvenForABadFile)
{
    StartAnimation();
    Open(QStringLiteral(ORNALIX_EXAMPLES "/cesaro.fract"));
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_FALSE(session->Timer().isActive());

    // The box stayed checked and "Pause" is on: clearing it goes on.
    QTest::mouseClick(chkPause(), Qt::LeftButton);
    ASSERT_EQ(session->Mode(), modeAnimating);
    Open(WriteFile(QStringLiteral("bad.fract"), "nonsense\r\n"));
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_FALSE(session->Timer().isActive());
}

TEST_F(Files, ABadDepthLineChangesNothing)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    const EdgeList koch = Edges();
    int n = 0;
    for (const QByteArray& text : {QByteArray("9\r\n-1\r\n1\r\n0\r\n"), QByteArray("drei\r\n-1\r\n"), QByteArray()}) {
        SCOPED_TRACE(text.toStdString());
        Open(WriteFile(QStringLiteral("bad%1.fract").arg(++n), text));
        EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
        EXPECT_EQ(tbDepth()->value(), 5);
        EXPECT_EQ(session->Viewer.Depth, 5);
        EXPECT_EQ(Edges(), koch);
        ExpectTitle(QStringLiteral("koch.fract"));
    }
}

TEST_F(Files, ABadModeLineKeepsTheFilesDepthOnly)
{
    const EdgeList before = Edges();
    Open(WriteFile(QStringLiteral("mode.fract"), "4\r\nvielleicht\r\n1\r\n0\r\n"));
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
    EXPECT_EQ(tbDepth()->value(), 4);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("4"));
    EXPECT_EQ(session->Viewer.Depth, 4);
    EXPECT_TRUE(optLines()->isChecked());
    EXPECT_EQ(Edges(), before);
    ExpectTitle();
}

TEST_F(Files, ABadEdgeLineKeepsThePairsBeforeItButThePanesShowThePreviousCurve)
{
    // Same depth and display mode as the window, so the panes could only
    // change through the edges.
    tbDepth()->setValue(3);
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    const QImage fractBefore = FractPicture();
    const QImage editorBefore = EditorPicture();
    Open(WriteFile(QStringLiteral("edge.fract"), "3\r\n0\r\n0.5\r\n0.5\r\n0.25\r\nviel\r\n1\r\n0\r\n"));
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
    EXPECT_EQ(tbDepth()->value(), 3);
    EXPECT_TRUE(optPoints()->isChecked());
    EXPECT_EQ(Edges(), (EdgeList{{0.5, 0.5}}));
    ExpectTitle();
    EXPECT_EQ(FractPicture(), fractBefore);
    EXPECT_EQ(EditorPicture(), editorBefore);

    // The display mode of a bad file is taken before its edges fail.
    Open(WriteFile(QStringLiteral("edge2.fract"), "3\r\n-1\r\n1\r\n"));
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
    EXPECT_TRUE(optLines()->isChecked());
    EXPECT_EQ(session->Generator.Count, 0) << "no whole pair before the missing imaginary line";
}

TEST_F(Files, NoEdgesOrTenFitAndElevenAreAnError)
{
    // A header alone: the origin is drawn, and saved again as it was.
    Open(WriteFile(QStringLiteral("empty.fract"), "2\r\n-1\r\n"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(session->Generator.Count, 0);
    EXPECT_EQ(session->Viewer.PointCount, 1) << "the origin alone";
    EXPECT_FALSE(FractPicture().isNull());
    SaveAs(Path(QStringLiteral("again.fract")));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("again.fract"))), QByteArray("2\r\n-1\r\n"));

    QByteArray ten("2\r\n-1\r\n");
    for (int i = 0; i < 10; ++i)
        ten += "1\r\n0\r\n";
    Open(WriteFile(QStringLiteral("ten.fract"), ten));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(session->Generator.Count, 10);
    EXPECT_EQ(session->Editor.PointCount, 11);
    Open(WriteFile(QStringLiteral("eleven.fract"), ten + "1\r\n0\r\n"));
    EXPECT_EQ(TakeMessages(), QStringList{QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat")});
    ExpectTitle(QStringLiteral("ten.fract"));
}

TEST_F(Files, WhatSaveAsWroteOpensAsItWas)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/minkowski.fract"));
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    tbDepth()->setValue(2);
    const EdgeList edges = Edges();
    const QImage picture = FractPicture();
    SaveAs(Path(QStringLiteral("round.fract")));

    session->New();
    tbDepth()->setValue(6);
    QTest::mouseClick(optLines(), Qt::LeftButton);
    Open(Path(QStringLiteral("round.fract")));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(tbDepth()->value(), 2);
    EXPECT_TRUE(optPoints()->isChecked());
    EXPECT_EQ(Edges(), edges);
    EXPECT_EQ(FractPicture(), picture);
    ExpectTitle(QStringLiteral("round.fract"));
}

// New -------------------------------------------------------------------

TEST_F(Files, NewDrawsFromTheMinimumUpToBelowTheMaximum)
{
    struct Row {
        int minNodes, maxNodes, lowest, highest;
    };
    for (const Row& row : {Row{3, 10, 3, 9}, Row{4, 4, 4, 4}, Row{7, 4, 4, 6}, Row{5, 6, 5, 5}}) {
        SCOPED_TRACE(testing::Message() << row.minNodes << ".." << row.maxNodes);
        session->MinNodes = row.minNodes;
        session->MaxNodes = row.maxNodes;
        QSet<int> counts, expected;
        for (int seed = 0; seed < 300; ++seed) {
            RandomSource::Instance().Seed(static_cast<std::uint64_t>(seed));
            Trigger(Neu1());
            counts.insert(session->Generator.Count);
        }
        for (int n = row.lowest; n <= row.highest; ++n)
            expected.insert(n);
        EXPECT_EQ(counts, expected);
    }
}

TEST_F(Files, NewKeepsTitleDepthAndDisplayModeAndStopsTheAnimation)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    StartAnimation();
    const EdgeList before = Edges();
    Trigger(Neu1());
    EXPECT_EQ(session->Mode(), modeIdle);
    EXPECT_FALSE(session->Timer().isActive());
    ExpectTitle(QStringLiteral("koch.fract"));
    EXPECT_EQ(tbDepth()->value(), 5);
    EXPECT_EQ(session->Viewer.Depth, 5);
    EXPECT_TRUE(optPoints()->isChecked());
    ASSERT_GE(session->Generator.Count, 3);
    EXPECT_NE(session->Generator.Items[0].Re, before[0].first) << "a new generator";
    EXPECT_EQ(session->Editor.PointCount, session->Generator.Count + 1) << "the editor shows it";
    // Every edge but the last has a length within the range.
    double product = 1.0;
    for (int i = 0; i + 1 < session->Generator.Count; ++i) {
        product *= std::sqrt(session->Generator.Items[i].SqrAbs());
        EXPECT_GE(product, session->MinLength - 1e-12);
        EXPECT_LE(product, session->MaxLength + 1e-12);
    }
}

} // namespace
