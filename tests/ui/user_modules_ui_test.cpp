// Creating and deleting user modules from the "User" menu in a real main
// window over a copy of the synthetic library: the naming dialog's checks,
// the new module in its pane, tabs and menus, only its own linking flag,
// the delete submenus, the question, and a failed create.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/ui/authoring_feature.h"
#include "app/ui/editor_form.h"
#include "app/ui/import_name_dialog.h"
#include "app/ui/import_progress_form.h"
#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"
#include "core/platform/file_system.h"
#include "render/ui/html_view.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/synthetic_library.h"
#include "tests/ui/test_host.h"
#include "tools/notesets/noteset_samples.h"
#include "views/actions.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

class UserModulesUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config::GlobalProperties() = config::DefaultProperties();
    test::CopySyntheticLibrary(folder_.Path());
  }
  void TearDown() override {
    window_.reset();
    config::GlobalProperties() = config::DefaultProperties();
  }
  TMain& Start() {
    TMainOptions options;
    options.data_folder = folder_.Path();
    options.storage = &storage_;
    options.show_splash = false;
    options.show_message = [this](const QString& text) { messages_ << text; };
    options.ask_yes_no = [this](const QString&, const QString& question) {
      questions_ << question;
      return answer_yes_;
    };
    window_ = std::make_unique<TMain>(std::move(options));
    EXPECT_TRUE(window_->StartupComplete());
    feature_ = window_->findChild<TAuthoringFeature*>(QStringLiteral("AuthoringFeature"));
    EXPECT_NE(feature_, nullptr);
    feature_->error_message = [this](const QString& text) { errors_ << text; };
    test::Settle();
    return *window_;
  }
  QMenu* DeleteMenu(const char* name) const {
    return window_->Menu("MenuUser")->findChild<QMenu*>(QString::fromLatin1(name));
  }
  // The command with the dialog answered: names typed, OK pressed until the
  // dialog closes or `tries` presses were refused.
  void CreateThroughDialog(const char* command, const QString& title, const QString& abbreviation,
                           int tries = 1) {
    QTimer::singleShot(0, window_.get(), [this, title, abbreviation, tries] {
      TImportNameDlg* dialog = feature_->NameDialog();
      dialog->TitleBox()->setText(title);
      dialog->AbbreviationBox()->setText(abbreviation);
      for (int i = 0; i < tries && dialog->isVisible(); ++i) dialog->accept();
      if (dialog->isVisible()) dialog->reject();
    });
    window_->MainAction(command)->trigger();
    test::Settle();
  }

  test::TempFolder folder_;
  config::MemoryStorage storage_;
  std::unique_ptr<TMain> window_;
  TAuthoringFeature* feature_ = nullptr;
  QStringList messages_, questions_, errors_;
  bool answer_yes_ = true;
};

TEST_F(UserModulesUiTest, NamingDialogRefusesBadNamesAllInOneBox) {
  TMain& w = Start();
  const size_t editable = w.Library().EditableCommentaries().size();
  const struct {
    const char* title;
    const char* abbreviation;
    std::vector<const char*> parts;  // what the one box says
  } cases[] = {
      {"My Notes", "my notes", {"may not contain spaces"}},
      {"My Notes", "KJV", {"KJV already exists"}},
      {"  ", "", {"Please specify a title.", "Please specify an abbreviation."}},
      {"kjv", "a b", {"kjv already exists", "may not contain spaces"}},
      {"Notes", "nul", {"reserved by the system"}},
      {"Notes \xe4\xb8\x80", "NT", {"outside Windows-1252"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    errors_.clear();
    CreateThroughDialog("ActionNewCommentary", QString::fromUtf8(c.title),
                        QString::fromUtf8(c.abbreviation));
    ASSERT_EQ(errors_.size(), 1);
    for (const char* part : c.parts)
      EXPECT_TRUE(errors_.front().contains(QString::fromUtf8(part)))
          << errors_.front().toStdString();
  }
  EXPECT_EQ(w.Library().EditableCommentaries().size(), editable);
}

TEST_F(UserModulesUiTest, CreatedModulesShowAtOnceAndDeletedOnesLeaveEveryList) {
  // Preferences had excluded a Commentary from linking; a new module must
  // not undo that.
  config::Properties& p = config::GlobalProperties();
  TMain& w = Start();
  TLMCommentaryModule* shipped = w.Library().Catalogue().Commentaries().front().get();
  shipped->included_in_linking = false;

  CreateThroughDialog("ActionNewCommentary", QStringLiteral("  Synthetic Margin  "),
                      QStringLiteral("SYMG"));
  const TLMCommentaryModule* made = w.Library().FindCommentary("SYMG");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetTitle(), "Synthetic Margin");  // trimmed
  EXPECT_TRUE(made->included_in_linking);
  EXPECT_FALSE(shipped->included_in_linking);
  EXPECT_EQ(w.CommentView()->CurrentCommentary(), made);
  EXPECT_TRUE(w.PaneVisible(TPane::kCommentary));
  CreateThroughDialog("ActionNewBook", QStringLiteral("Synthetic Jottings"),
                      QStringLiteral("SYJT"));
  const TLMDictionaryModule* book = w.Library().FindBook("SYJT");
  ASSERT_NE(book, nullptr);
  EXPECT_EQ(w.DictView()->CurrentBook(), book);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder_.Path()) / "User" / "SYJT.lmk"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(QLatin1Char('|')).toStdString();

  // The delete submenus list exactly the user modules.
  QMenu* commentaries = DeleteMenu("MenuDeleteUserCommentary");
  QMenu* books = DeleteMenu("MenuDeleteUserBook");
  ASSERT_TRUE(commentaries != nullptr && books != nullptr);
  QAction* delete_margin = nullptr;
  for (QAction* a : commentaries->actions())
    if (a->text() == QStringLiteral("Delete SYMG (Synthetic Margin)")) delete_margin = a;
  ASSERT_NE(delete_margin, nullptr);
  EXPECT_EQ(commentaries->actions().size(), int(w.Library().EditableCommentaries().size()));
  ASSERT_EQ(books->actions().size(), 1);

  // No keeps it; Yes deletes the file and the module leaves every list.
  answer_yes_ = false;
  books->actions().front()->trigger();
  test::Settle();
  EXPECT_EQ(questions_.back(),
            QStringLiteral("Are you sure you wish to delete the entire user module "
                           "SYJT (Synthetic Jottings)?"));
  EXPECT_NE(w.Library().FindBook("SYJT"), nullptr);
  answer_yes_ = true;
  books->actions().front()->trigger();
  test::Settle();
  EXPECT_EQ(w.Library().FindBook("SYJT"), nullptr);
  EXPECT_NE(w.DictView()->CurrentBook(), nullptr);
  EXPECT_FALSE(
      std::filesystem::exists(std::filesystem::path(folder_.Path()) / "User" / "SYJT.lmk"));
  EXPECT_FALSE(DeleteMenu("MenuDeleteUserBook")->isEnabled());
  // The submenus were rebuilt when the Book went.
  for (QAction* a : DeleteMenu("MenuDeleteUserCommentary")->actions())
    if (a->text() == QStringLiteral("Delete SYMG (Synthetic Margin)")) {
      a->trigger();
      break;
    }
  test::Settle();
  EXPECT_EQ(w.Library().FindCommentary("SYMG"), nullptr);
  EXPECT_NE(w.CommentView()->CurrentCommentary(), nullptr);
  (void)p;
}

TEST_F(UserModulesUiTest, AFileInTheUserFolderTakesItsNameInAnyCase) {
  std::filesystem::create_directories(std::filesystem::path(folder_.Path()) / "User");
  // Not a module the catalogue could open: creating over it would replace it.
  std::ofstream(std::filesystem::path(folder_.Path()) / "User" / "Taken.LMC") << "not a module";
  Start();
  CreateThroughDialog("ActionNewCommentary", QStringLiteral("Synthetic Taken"),
                      QStringLiteral("taken"));
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_.front().contains(QStringLiteral("already exists in the User folder")));
  EXPECT_EQ(window_->Library().FindCommentary("taken"), nullptr);
}

TEST_F(UserModulesUiTest, EntriesAreAddedClearedAndDeletedWithTheirQuestions) {
  TMain& w = Start();
  ASSERT_TRUE(feature_->Create(TAuthoringFeature::Kind::kBook, "Synthetic Herbs", "SYHB"));
  const TLMDictionaryModule* book = w.Library().FindBook("SYHB");
  ASSERT_NE(book, nullptr);
  QStringList answers;
  QStringList captions;
  feature_->ask_text = [&](const QString& caption, const QString&,
                           const QString& shown) -> std::optional<QString> {
    captions << caption + QLatin1Char('|') + shown;
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
  };
  // A blank title and one the Book has are refused and asked again, the
  // typed title kept; Cancel ends.
  answers = {QStringLiteral("  "), QStringLiteral(" Grain ")};
  w.Authoring().AddBookEntry(*book);
  answers = {QStringLiteral("grain"), QStringLiteral("Chaff")};
  w.Authoring().AddBookEntry(*book);
  EXPECT_EQ(book->EntryTitles(), (std::vector<std::string>{"Chaff", "Grain"}));
  EXPECT_EQ(errors_, (QStringList{QStringLiteral("Please specify a title."),
                                  QStringLiteral("SYHB already contains an entry by that title. "
                                                 "Please enter a different title.")}));
  EXPECT_EQ(captions.value(2), QStringLiteral("Create New Entry: SYHB|"));
  EXPECT_EQ(captions.value(3), QStringLiteral("Create New Entry: SYHB|grain"));
  EXPECT_EQ(w.DictView()->CurrentBook(), book);
  EXPECT_EQ(w.DictView()->CurrentEntry(), 0);  // the new entry, shown

  // The history follows an entry that moves: Grain, visited as entry 1,
  // is entry 2 once "Bran" comes before it.
  w.ShowBookEntry(*book, 1, kNoMarkedVerse, kNoMarkedVerse);
  w.ShowBookEntry(*w.Library().Books().front(), 0, kNoMarkedVerse, kNoMarkedVerse);
  const auto visited = [&] {
    std::vector<std::string> titles;
    for (const TBookPlace& item : w.DictView()->History().Back())
      if (item.abbreviation == "SYHB") titles.push_back(book->EntryTitles().at(size_t(item.entry)));
    return titles;
  };
  const std::vector<std::string> before = visited();
  ASSERT_FALSE(before.empty());
  answers = {QStringLiteral("Bran")};
  w.Authoring().AddBookEntry(*book);
  EXPECT_EQ(visited(), before);
  answer_yes_ = true;
  w.ShowBookEntry(*book, book->FindTitle("Bran"), kNoMarkedVerse, kNoMarkedVerse);
  w.Authoring().DeleteBookEntry(*book, book->FindTitle("Bran"));
  EXPECT_EQ(visited(), before);
  w.ShowBookEntry(*book, 0, kNoMarkedVerse, kNoMarkedVerse);

  // Delete: No keeps it; Yes shows the entry now at that number; the last
  // one leaves the pane empty, never at entry -1.
  answer_yes_ = false;
  w.Authoring().DeleteBookEntry(*book, 0);
  EXPECT_EQ(questions_.back(),
            QStringLiteral("Delete Chaff from Synthetic Herbs:\n\nAre you sure?"));
  EXPECT_EQ(book->EntryCount(), 2);
  answer_yes_ = true;
  w.Authoring().DeleteBookEntry(*book, 0);
  EXPECT_EQ(book->EntryTitles(), std::vector<std::string>{"Grain"});
  EXPECT_EQ(w.DictView()->CurrentEntry(), 0);
  w.Authoring().DeleteBookEntry(*book, 0);
  EXPECT_EQ(book->EntryCount(), 0);
  EXPECT_EQ(w.DictView()->CurrentEntry(), -1);

  // Clear a comment of a user Commentary: asked in a confirmation, then gone.
  ASSERT_TRUE(feature_->Create(TAuthoringFeature::Kind::kCommentary, "Synthetic Margin", "SYMG"));
  auto* notes = const_cast<TLMCommentaryModule*>(w.Library().FindCommentary("SYMG"));
  ASSERT_NE(notes, nullptr);
  const int john3_16 = w.Library().Kjv()->LocateVerse(43, 3, 16);
  ASSERT_TRUE(notes->WriteEntry("A note", john3_16 - 1, *w.Library().Kjv()).ok());
  w.ShowCommentary(notes, john3_16 - 1, 0, 0);
  answer_yes_ = false;
  w.Authoring().ClearComment(*notes, john3_16 - 1);
  EXPECT_TRUE(notes->HasEntry(john3_16 - 1));
  answer_yes_ = true;
  w.Authoring().ClearComment(*notes, john3_16 - 1);
  EXPECT_FALSE(notes->HasEntry(john3_16 - 1));
  EXPECT_TRUE(
      questions_.back().startsWith(QStringLiteral("Are you sure you want to permanently delete ")));
  EXPECT_TRUE(questions_.back().endsWith(QStringLiteral(" 3:16 from user commentary SYMG?")));
  EXPECT_EQ(errors_.size(), 2);  // no write failed
}

TEST_F(UserModulesUiTest, TheEditorOpensFromThePanesAndHoldsTheCloseWhileItHoldsText) {
  TMain& w = Start();
  ASSERT_TRUE(feature_->Create(TAuthoringFeature::Kind::kCommentary, "Synthetic Margin", "SYMG"));
  const TLMCommentaryModule* notes = w.Library().FindCommentary("SYMG");
  ASSERT_NE(notes, nullptr);
  const int john3_16 = w.Library().Kjv()->LocateVerse(43, 3, 16);
  w.ShowCommentary(notes, john3_16 - 1, 0, 0);
  w.Actions().UpdateNow();
  ASSERT_TRUE(w.CommentView()->ActionEditComment->isEnabled());
  w.CommentView()->ActionEditComment->trigger();
  TEditorForm* editor = feature_->ExistingEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->Editing());
  EXPECT_TRUE(w.Authoring().EditorEditing());
  w.Actions().UpdateNow();
  EXPECT_FALSE(w.CommentView()->ActionEditComment->isEnabled());  // one entry at a time

  // What the panes send goes in at the selection; saving shows it in the pane.
  w.Authoring().SendToEditor("Compare #Rom 5:8| here");
  ASSERT_TRUE(editor->Save());
  EXPECT_TRUE(notes->HasEntry(john3_16 - 1));
  EXPECT_NE(notes->GetEntryText(john3_16 - 1).find('\x05'), std::string::npos);

  // A Book entry's link: its title arrives as text, never as markup.
  ASSERT_TRUE(feature_->Create(TAuthoringFeature::Kind::kBook, "Synthetic Herbs", "SYHB"));
  auto* herbs = const_cast<TLMDictionaryModule*>(w.Library().FindBook("SYHB"));
  ASSERT_TRUE(herbs->AddEntry("Salt & <Light>").ok());
  w.ShowBookEntry(*herbs, 0, kNoMarkedVerse, kNoMarkedVerse);
  QMenu menu;
  w.DictView()->PopulateContextMenu(menu, std::string(), std::string());
  QAction* send_link = menu.findChild<QAction*>(QStringLiteral("SendBookLink"));
  ASSERT_NE(send_link, nullptr);
  ASSERT_TRUE(send_link->isEnabled());
  send_link->trigger();
  EXPECT_NE(editor->SurfaceHtml().find("SYHB: Salt &amp; &lt;Light&gt;"), std::string::npos)
      << editor->SurfaceHtml();

  // Unsaved text and a save that fails: the main window stays open.
  w.Authoring().SendToEditor(" more");
  editor->ask_save = [](const QString&) { return QMessageBox::Yes; };
  editor->error_message = [this](const QString& text) { errors_ << text; };
  // Deleting the module under the editor is refused while it is open.
  w.Authoring().DeleteUserCommentary(*notes);
  EXPECT_EQ(messages_.back(), QString::fromLatin1(kCloseEditorFirst));
  // Cancel in the editor's question cancels the program's close (nothing
  // saved, nothing lost).
  editor->ask_save = [](const QString&) { return QMessageBox::Cancel; };
  w.close();
  EXPECT_TRUE(w.StartupComplete());  // the close sequence did not run
  EXPECT_TRUE(editor->Editing());
  editor->ask_save = [](const QString&) { return QMessageBox::No; };
  w.close();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_FALSE(w.StartupComplete());  // closed and saved
}

TEST_F(UserModulesUiTest, ANoteSetIsImportedForTheNextStartAndDamageIsNamed) {
  TMain& w = Start();
  const std::string sets = folder_.Path() + "/sets";
  std::filesystem::create_directories(sets);
  Result<std::string> good =
      notesets::WriteNoteSet(DefaultFileSystem(), sets, "My Study Notes", notesets::SampleNotes());
  notesets::NoteSetOptions short_index;
  short_index.damage = notesets::NoteSetDamage::kShortIndex;
  Result<std::string> damaged = notesets::WriteNoteSet(DefaultFileSystem(), sets, "Broken Notes",
                                                       notesets::SampleNotes(), short_index);
  ASSERT_TRUE(good.ok() && damaged.ok());
  QStringList infos;
  feature_->info_message = [&infos](const QString& text, bool) {
    infos << text;
    return true;
  };
  QString chosen;
  feature_->choose_note_set = [&chosen] { return chosen; };
  const auto run = [&](const std::string& file) {
    chosen = QString::fromStdString(file);
    QTimer::singleShot(0, window_.get(), [this] {
      TImportNameDlg* dialog = feature_->NameDialog();
      if (dialog->isVisible()) dialog->accept();
      if (dialog->isVisible()) dialog->reject();  // names refused
    });
    w.MainAction("ActionImport3x")->trigger();
    test::Settle();
  };
  run(*good);
  ASSERT_EQ(infos.size(), 2) << errors_.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(infos.back().startsWith(QStringLiteral("Conversion successful.")));
  // The proposed names, and the file for the next start (not loaded now).
  EXPECT_EQ(feature_->NameDialog()->Title(), "My Study Notes");
  EXPECT_EQ(feature_->NameDialog()->Abbreviation(), "MSN");
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder_.Path()) / "User" / "MSN.lmc"));
  EXPECT_EQ(w.Library().FindCommentary("MSN"), nullptr);
  EXPECT_TRUE(w.MainAction("ActionImport3x")->isEnabled());
  EXPECT_FALSE(feature_->ImportProgress()->isVisible());

  // Again with the same abbreviation: the module is not loaded yet, but its
  // file is there, and the naming dialog says so before anything is read.
  run(*good);
  run(*damaged);
  ASSERT_EQ(errors_.size(), 2);
  EXPECT_TRUE(errors_[0].contains(QStringLiteral("MSN.lmc already exists in the User folder")));
  EXPECT_EQ(errors_[1], QStringLiteral("Unable to import: NMI file size incorrect."));
  EXPECT_EQ(infos.size(), 4);  // no second success
}

TEST_F(UserModulesUiTest, AWriteThatFailsIsNamedAndTheModuleShownAsItIs) {
  TMain& w = Start();
  ASSERT_TRUE(feature_->Create(TAuthoringFeature::Kind::kBook, "Synthetic Herbs", "SYHB"));
  auto* book = const_cast<TLMDictionaryModule*>(w.Library().FindBook("SYHB"));
  ASSERT_TRUE(book->AddEntry("Anise").ok());
  ASSERT_TRUE(book->AddEntry("Basil").ok());
  ASSERT_TRUE(feature_->Create(TAuthoringFeature::Kind::kCommentary, "Synthetic Margin", "SYMG"));
  auto* notes = const_cast<TLMCommentaryModule*>(w.Library().FindCommentary("SYMG"));
  ASSERT_TRUE(notes->WriteEntry("A note", 0, *w.Library().Kjv()).ok());
  w.ShowCommentary(notes, 0, 0, 0);
  w.ShowBookEntry(*book, 1, kNoMarkedVerse, kNoMarkedVerse);
  // The writers make the new file beside the old one first; a folder of
  // that name makes every write fail, as a full or broken disk would.
  for (const char* name : {"/User/SYHB.lmk.new", "/User/SYMG.lmc.new"})
    std::filesystem::create_directories(folder_.Path() + name);
  QStringList answers = {QStringLiteral("Cumin")};
  feature_->ask_text = [&](const QString&, const QString&,
                           const QString&) -> std::optional<QString> {
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
  };
  w.Authoring().AddBookEntry(*book);
  w.Authoring().DeleteBookEntry(*book, 1);
  w.Authoring().ClearComment(*notes, 0);
  const QString failed = QString::fromLatin1(kSaveFailedMessage);
  EXPECT_EQ(errors_, (QStringList{failed, failed, failed}));
  // Nothing was changed, and the panes show what the modules hold.
  EXPECT_EQ(book->EntryTitles(), (std::vector<std::string>{"Anise", "Basil"}));
  EXPECT_EQ(w.DictView()->CurrentEntry(), 1);
  EXPECT_TRUE(notes->HasEntry(0));
  EXPECT_NE(w.CommentView()->HTMLView()->toPlainText().indexOf(QStringLiteral("A note")), -1);
}

}  // namespace
}  // namespace lumora::ui
