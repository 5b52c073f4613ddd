#include "tests/gui/window_fixture.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>

// What a file holds and what the session takes from it is tested on the
// reader (fract_file_test) and the session (tests/session/files_test); here:
// the dialogs, the title, the messages and the controls.

namespace {

const QString kBadFormat = QStringLiteral("(!) Warnung: Fehlerhaftes Dateiformat");

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

    // The file's name in the title; none: untitled.
    void ExpectTitle(const QString& name = QString())
    {
        EXPECT_EQ(window->windowTitle(), name.isEmpty() ? QStringLiteral("Ornalix") : QStringLiteral("Ornalix - ") + name);
    }
};

TEST_F(Files, SaveAsOverwritesWithoutAQuestionAndShowsTheName)
{
    tbDepth()->setValue(3);
    const QString path = WriteFile(QStringLiteral("start.fract"), "old contents");
    SaveAs(path);
    EXPECT_EQ(ReadBytes(path), QByteArray("3\r\n-1\r\n1\r\n0\r\n0.6\r\n-0.8\r\n-0.28\r\n0.96\r\n0.6\r\n-0.8\r\n"));
    EXPECT_EQ(dialogs.fileDialogsShown, 1);
    EXPECT_TRUE(dialogs.messages.empty());
    ExpectTitle(QStringLiteral("start.fract"));
}

// Under either type a bare name is saved as a .fract file; a typed
// extension stays.
TEST_F(Files, ABareNameIsSavedAsFractAndATypedExtensionStays)
{
    auto& fileDialog = *window->findChild<QFileDialog*>(QStringLiteral("SaveDialog1"));
    const std::pair<const char*, const char*> rows[] = {
        {"kurve", "kurve.fract"}, {"alle", "alle.fract"}, {"text.txt", "text.txt"}};
    const QStringList filters = fileDialog.nameFilters();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        fileDialog.selectNameFilter(filters.value(static_cast<int>(i % 2)));
        SaveAs(Path(QLatin1String(rows[i].first)));
        EXPECT_TRUE(QFileInfo(Path(QLatin1String(rows[i].second))).isFile()) << rows[i].second;
        ExpectTitle(QLatin1String(rows[i].second));
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Files, CancelledDialogsChangeNothingAndSavingLeavesTheAnimationRunning)
{
    QTest::mouseClick(chkAnimAng(), Qt::LeftButton);
    ASSERT_EQ(session->Mode(), modeAnimating);
    const Complex before = session->Generator.Items[1];
    SaveAs(QString());
    Open(QString());
    EXPECT_EQ(dialogs.fileDialogsShown, 2);
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_EQ(session->Generator.Items[1].Re, before.Re);
    ExpectTitle();
    EXPECT_TRUE(QDir(files.path()).isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());

    SaveAs(Path(QStringLiteral("moving.fract")));
    EXPECT_EQ(session->Mode(), modeAnimating);
    EXPECT_TRUE(session->Timer().isActive());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("moving.fract"))));
}

TEST_F(Files, AFailedSaveShowsTheErrorBoxAndKeepsTheTitle)
{
    SaveAs(Path(QStringLiteral("missing/folder/a.fract")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Ornalix"));
    EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
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

TEST_F(Files, OpenShowsTheNameAndTheControlsTheFilesDepthAndMode)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(tbDepth()->value(), 5);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("5"));
    EXPECT_TRUE(optLines()->isChecked());
    ExpectTitle(QStringLiteral("koch.fract"));

    Open(WriteFile(QStringLiteral("points.fract"), "$2\r\n0\r\n1\r\n0\r\n0\r\n1\r\n"));
    EXPECT_TRUE(optPoints()->isChecked());
    EXPECT_EQ(tbDepth()->value(), 2);
    ExpectTitle(QStringLiteral("points.fract"));
}

// The controls show what the session kept of the bad file: its depth.
TEST_F(Files, ABadFileIsWarnedAboutAndKeepsTheTitle)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    QTest::mouseClick(optPoints(), Qt::LeftButton);
    Open(WriteFile(QStringLiteral("mode.fract"), "4\r\nvielleicht\r\n1\r\n0\r\n"));
    EXPECT_EQ(TakeMessages(), QStringList{kBadFormat});
    EXPECT_EQ(tbDepth()->value(), 4);
    EXPECT_EQ(lblDepth()->text(), QStringLiteral("4"));
    EXPECT_TRUE(optPoints()->isChecked());
    ExpectTitle(QStringLiteral("koch.fract"));
}

TEST_F(Files, NewKeepsTheTitle)
{
    Open(QStringLiteral(ORNALIX_EXAMPLES "/koch.fract"));
    const Complex before = session->Generator.Items[0];
    Trigger(Neu1());
    EXPECT_NE(session->Generator.Items[0].Re, before.Re);
    ExpectTitle(QStringLiteral("koch.fract"));
}

} // namespace
