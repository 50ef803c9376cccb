// The entry editor on a copy of the synthetic library with a user
// Commentary and a user Book made for each test: what a save stores, byte
// for byte, what a second save changes (nothing), the surfaces, the failed
// saves and the close question.
#include "app/ui/editor_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <random>

#include "app/entry_editing.h"
#include "config/properties.h"
#include "core/codec/base205.h"
#include "render/ui/html_view.h"
#include "render/ui/window_placement.h"
#include "tests/ui/feature_window.h"
#include "views/comment_view.h"
#include "views/dict_view.h"

namespace lumora::ui {
namespace {

constexpr int kEditorJohn316 = 26137;
constexpr int kEditorSlot = kEditorJohn316 - 1;
const std::string kEditorToken = "\x05" + EncodeBase205(kEditorJohn316) + "\x08";

enum class EditorKind { kCommentary, kBook };

class EditorFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = &window_.Start();
    TModuleCatalogue& catalogue = main_->Library().Catalogue();
    auto c = catalogue.CreateUserCommentary("Editor Notes", "ETN");
    ASSERT_TRUE(c.ok()) << c.status().message();
    commentary_ = *c;
    auto b = catalogue.CreateUserBook("Editor Book", "ETB");
    ASSERT_TRUE(b.ok()) << b.status().message();
    book_ = *b;
    ASSERT_TRUE(book_->AddEntry("Grace").ok());
    form_ = std::make_unique<TEditorForm>(*main_);
    form_->error_message = [this](const QString& text) { errors_ << text; };
    form_->ask_save = [this](const QString& question) {
      questions_ << question;
      return answer_;
    };
  }
  void TearDown() override {
    form_.reset();
    window_.Stop();
  }

  const TLMBibleModule& Kjv() const { return *main_->Library().Kjv(); }
  void Put(EditorKind kind, const std::string& stored) {
    if (kind == EditorKind::kCommentary)
      ASSERT_TRUE(commentary_->WriteEntry(stored, kEditorSlot, Kjv()).ok());
    else
      ASSERT_TRUE(book_->WriteEntry(stored, 0).ok());
  }
  std::string Stored(EditorKind kind) const {
    if (kind == EditorKind::kBook) return book_->GetEntryText(0);
    return commentary_->HasEntry(kEditorSlot) ? commentary_->GetEntryText(kEditorSlot) : "";
  }
  bool Open(EditorKind kind) {
    return kind == EditorKind::kCommentary ? form_->OpenCommentary(*commentary_, kEditorSlot)
                                           : form_->OpenBookEntry(*book_, 0);
  }
  // Saves and closes, so that the next Open starts afresh.
  void SaveAndClose() {
    EXPECT_TRUE(form_->Save()) << errors_.join(QLatin1Char('|')).toStdString();
    form_->close();
  }
  // Key presses carrying the characters (QTest's helpers take ASCII only).
  static void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(widget, &press);
    }
  }
  void TypeAtEnd(const QString& text) {
    QTextEdit* edit = form_->FormattedEditor();
    edit->moveCursor(QTextCursor::End);
    TypeInto(edit, text);
  }

  test::TFeatureWindow window_;
  TMain* main_ = nullptr;
  TLMCommentaryModule* commentary_ = nullptr;
  TLMDictionaryModule* book_ = nullptr;
  std::unique_ptr<TEditorForm> form_;
  QStringList errors_;
  QStringList questions_;
  QMessageBox::StandardButton answer_ = QMessageBox::Yes;
};

TEST_F(EditorFormTest, FormattedSavesStoreExactBytesAndASecondSaveChangesNone) {
  struct Case {
    const char* name;
    EditorKind kind;
    std::string before;  // stored before opening ("" for none)
    QString typed;       // typed at the end
    std::string after;
  };
  const std::vector<Case> cases = {
      {"typed into an empty comment", EditorKind::kCommentary, "", "Hello there", "Hello there"},
      {"typed into a Book entry", EditorKind::kBook, "", "Grace abounds", "Grace abounds"},
      {"a typed reference list", EditorKind::kCommentary, "", "See #Joh 3:16|.",
       "See " + kEditorToken + "."},
      {"not a reference list", EditorKind::kBook, "", "#hello|", "#hello|"},
      {"a stored token", EditorKind::kCommentary, "Read " + kEditorToken, " now",
       "Read " + kEditorToken + " now"},
      {"inline formatting kept", EditorKind::kCommentary,
       "<b>Bold</b> and <i>it</i> <u>u</u> <a href=\"vr:x\">link</a> end", "!",
       "<b>Bold</b> and <i>it</i> <u>u</u> <a href=\"vr:x\">link</a> end!"},
      {"markup characters typed", EditorKind::kBook, "", "a < b & c", "a &lt; b &amp; c"},
      {"blanks the page would fold", EditorKind::kBook, "", "a  b", "a &nbsp;b"},
      {"Greek in the lexicon font", EditorKind::kCommentary,
       "The word <font face=\"Symbol\">logoV qeou</font> here", ".",
       "The word <font face=\"Symbol\">logoV qeou</font> here."},
      {"Hebrew in the lexicon font", EditorKind::kBook,
       "<font face=\"Basic Hebrew\">\xE0\xE1</font> x", "",
       "<font face=\"Basic Hebrew\">\xE0\xE1</font> x"},
      {"outside the code page", EditorKind::kCommentary, "", QString::fromUtf8("a \u2192 b \u263A"),
       "a &#8594; b &#9786;"},
      {"code page letters stay bytes", EditorKind::kBook, "", QString::fromUtf8("caf\u00E9 \u20AC"),
       "caf\xE9 \x80"},
      {"paragraphs", EditorKind::kCommentary, "<p>One</p><p align=\"right\">Two</p>", "",
       "<p>One</p>\n<p align=\"right\">Two</p>"},
      {"line breaks and colour", EditorKind::kBook,
       "red <font color=\"#FF0000\">here</font><br>next", "",
       "red <font color=\"#FF0000\">here</font><br>next"},
      {"a list", EditorKind::kCommentary, "<ul><li>a</li><li>b</li></ul>", "",
       "<ul>\n<li>a</li>\n<li>b</li>\n</ul>"},
      {"fonts, sizes and a background", EditorKind::kBook,
       "<font face=\"Courier New\" style=\"font-size:14pt\">c</font> <font size=\"5\">big</font> "
       "<span style=\"background-color:#FFFF00\">marked</span>",
       "",
       "<font face=\"Courier New\" style=\"font-size:14pt\">c</font> <font size=\"5\">big</font> "
       "<span style=\"background-color:#FFFF00\">marked</span>"},
      {"a picture and a line", EditorKind::kCommentary,
       "<p>a <img src=\"lmimage:pic.png\"></p><hr><p>b</p>", "",
       "<p>a <img src=\"lmimage:pic.png\"></p>\n<hr>\n<p>b</p>"},
      {"an empty line kept", EditorKind::kCommentary, "<p>a</p><p><br></p><p>b</p>", "",
       "<p>a</p>\n<p><br></p>\n<p>b</p>"},
      {"an empty comment stays empty", EditorKind::kCommentary, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.before.empty()) Put(c.kind, c.before);
    ASSERT_TRUE(Open(c.kind));
    EXPECT_FALSE(form_->RawSurface());
    TypeAtEnd(c.typed);
    SaveAndClose();
    EXPECT_EQ(Stored(c.kind), c.after);
    // Opened and saved again: not one byte changes.
    ASSERT_TRUE(Open(c.kind));
    SaveAndClose();
    EXPECT_EQ(Stored(c.kind), c.after);
    Put(c.kind, "");
  }
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(QLatin1Char('|')).toStdString();
}

TEST_F(EditorFormTest, AlignmentCommandsSetAndRemoveTheParagraphsAlignment) {
  struct Case {
    const char* before;
    QAction* TEditorForm::*action;
    const char* after;
  };
  const std::vector<Case> cases = {
      {"<p align=\"center\">Mid</p>", &TEditorForm::ActionCenter, "Mid"},  // none again
      {"<p align=\"center\">Mid</p>", &TEditorForm::ActionRight, "<p align=\"right\">Mid</p>"},
      {"Mid", &TEditorForm::ActionJustify, "<p align=\"justify\">Mid</p>"},
      {"Mid", &TEditorForm::ActionLeft, "<p align=\"left\">Mid</p>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    Put(EditorKind::kCommentary, c.before);
    ASSERT_TRUE(Open(EditorKind::kCommentary));
    (form_.get()->*c.action)->trigger();
    SaveAndClose();
    EXPECT_EQ(Stored(EditorKind::kCommentary), c.after);
  }
}

TEST_F(EditorFormTest, FormattingCommandsOnTheSelectionAreStored) {
  struct Case {
    const char* name;
    const char* before;
    std::function<void(TEditorForm&)> command;
    std::string after;
  };
  const auto trigger = [](QAction* TEditorForm::*action) {
    return [action](TEditorForm& f) { (f.*action)->trigger(); };
  };
  const std::vector<Case> cases = {
      {"bold", "word", trigger(&TEditorForm::ActionBold), "<b>word</b>"},
      {"bold off", "<b>word</b>", trigger(&TEditorForm::ActionBold), "word"},
      {"italic", "word", trigger(&TEditorForm::ActionItalic), "<i>word</i>"},
      {"underline", "word", trigger(&TEditorForm::ActionUnderline), "<u>word</u>"},
      {"numbered list", "<p>a</p><p>b</p>", trigger(&TEditorForm::ActionNumbering),
       "<ol>\n<li>a</li>\n<li>b</li>\n</ol>"},
      {"bulleted list", "a", trigger(&TEditorForm::ActionBulleted), "<ul>\n<li>a</li>\n</ul>"},
      {"list off", "<ul><li>a</li></ul>", trigger(&TEditorForm::ActionBulleted), "a"},
      {"indent", "a", trigger(&TEditorForm::ActionIndentInc),
       "<p style=\"margin-left:40px\">a</p>"},
      {"outdent", "<p style=\"margin-left:80px\">a</p>", trigger(&TEditorForm::ActionIndentDec),
       "<p style=\"margin-left:40px\">a</p>"},
      {"remove formatting", "<b><i>a</i></b> <font color=\"#FF0000\">b</font>",
       trigger(&TEditorForm::ActionRemoveFormatting), "a b"},
      {"foreground colour", "a",
       [](TEditorForm& f) {
         f.pick_color = [](const QColor&, const QString&) { return QColor(0x12, 0x34, 0x56); };
         f.ActionForeColor->trigger();
       },
       "<font color=\"#123456\">a</font>"},
      {"colour dialog cancelled", "a",
       [](TEditorForm& f) {
         f.pick_color = [](const QColor&, const QString&) { return std::nullopt; };
         f.ActionBackColor->trigger();
       },
       "a"},
      {"size box", "a", [](TEditorForm& f) { f.SizeBox()->activated(20 - kEditorMinFontSize); },
       "<font style=\"font-size:20pt\">a</font>"},
      {"horizontal line", "a",
       [](TEditorForm& f) {
         f.FormattedEditor()->moveCursor(QTextCursor::End);
         f.ActionHR->trigger();
       },
       "<p>a</p>\n<hr>"},
      {"inserted HTML", "a", [](TEditorForm& f) { f.InsertAtSelection("<b>#Joh 3:16|</b>"); },
       "<b>" + kEditorToken + "</b>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Put(EditorKind::kCommentary, c.before);
    ASSERT_TRUE(Open(EditorKind::kCommentary));
    form_->FormattedEditor()->selectAll();
    c.command(*form_);
    SaveAndClose();
    EXPECT_EQ(Stored(EditorKind::kCommentary), c.after);
  }
}

TEST_F(EditorFormTest, ADocumentWithNothingVisibleSavesAsEmpty) {
  Put(EditorKind::kCommentary, "Some <b>text</b>");
  ASSERT_TRUE(Open(EditorKind::kCommentary));
  form_->FormattedEditor()->selectAll();
  QTest::keyClick(form_->FormattedEditor(), Qt::Key_Delete);
  TypeAtEnd("   ");
  SaveAndClose();
  EXPECT_FALSE(commentary_->HasEntry(kEditorSlot));
}

TEST_F(EditorFormTest, OpeningSetsCaptionSurfaceAndStatus) {
  struct Case {
    const char* name;
    EditorKind kind;
    bool raw_setting;
    bool on_top;
    std::string stored;
    QString caption;
    bool raw;
    QString status;
  };
  const std::vector<Case> cases = {
      {"formatted", EditorKind::kCommentary, false, true, "x", "Editing ETN on John 3:16", false,
       ""},
      {"raw by setting", EditorKind::kBook, true, false, "x", "Editing Grace in ETB", true,
       kEditorRawStatus},
      {"raw by markup", EditorKind::kCommentary, false, true,
       "a\x01"
       "b\x08",
       "Editing ETN on John 3:16", true, ToDisplayText(RawSurfaceReason("a\x01"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    config::GlobalProperties().editor_raw_html = c.raw_setting;
    config::GlobalProperties().editor_stay_on_top = c.on_top;
    Put(c.kind, c.stored);
    ASSERT_TRUE(Open(c.kind));
    EXPECT_EQ(form_->windowTitle(), c.caption);
    EXPECT_EQ(form_->RawSurface(), c.raw);
    EXPECT_EQ(form_->RawEditor()->isVisible(), c.raw);
    EXPECT_EQ(form_->FormatToolBar()->isVisible(), !c.raw);
    EXPECT_EQ(form_->ActionBold->isEnabled(), !c.raw);
    EXPECT_EQ(form_->SizeBox()->isEnabled(), !c.raw);
    EXPECT_EQ(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.on_top);
    QString source;
    form_->show_source = [&source](const QString& html) { source = html; };
    form_->ActionViewSource->trigger();
    EXPECT_EQ(source, ToDisplayText(form_->SurfaceHtml()));
    EXPECT_FALSE(source.contains(QStringLiteral("LM-LINE-CLR")));
    EXPECT_EQ(form_->StatusMessage(), c.status);
    EXPECT_TRUE(form_->Editing());
    form_->close();
    EXPECT_FALSE(form_->Editing());
  }
}

TEST_F(EditorFormTest, RawSurfaceKeepsMarkupBytesAndLineEnds) {
  const std::string stored =
      "a\x01"
      "b <i>c</i>\r\nline";
  Put(EditorKind::kCommentary, stored);
  ASSERT_TRUE(Open(EditorKind::kCommentary));
  ASSERT_TRUE(form_->RawSurface());
  form_->RawEditor()->moveCursor(QTextCursor::End);
  TypeInto(form_->RawEditor(), QString::fromUtf8("X\u2192"));
  SaveAndClose();
  EXPECT_EQ(Stored(EditorKind::kCommentary), stored + "X&#8594;");
  ASSERT_TRUE(Open(EditorKind::kCommentary));
  form_->RawEditor()->moveCursor(QTextCursor::End);
  form_->InsertAtSelection("#Joh 3:16|");
  SaveAndClose();
  EXPECT_EQ(Stored(EditorKind::kCommentary), stored + "X&#8594;" + kEditorToken);
}

TEST_F(EditorFormTest, AFailedSaveKeepsTheTextAndTheWindow) {
  // Incompressible text: far past the size limit once compressed.
  std::mt19937 random(7);
  std::string big;
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int i = 0; i < 120000; ++i) big += alphabet[random() % alphabet.size()];
  struct Case {
    const char* name;
    bool read_only_module;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"too large", false, kEditorTooLargeMessage},
      {"module not writable", true, kEditorSaveFailedMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    errors_.clear();
    if (c.read_only_module) {
      const TLMCommentaryModule* shipped = main_->Library().FindCommentary("CN");
      ASSERT_NE(shipped, nullptr);
      ASSERT_TRUE(form_->OpenCommentary(*shipped, kEditorSlot));
      TypeAtEnd("changed");
    } else {
      ASSERT_TRUE(Open(EditorKind::kCommentary));
      form_->InsertAtSelection(big);
    }
    const std::string text = form_->SurfaceHtml();
    EXPECT_FALSE(form_->Save());
    EXPECT_EQ(errors_, QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(form_->SurfaceHtml(), text);
    EXPECT_TRUE(form_->Modified());
    // "Yes" on closing tries the save again; it fails, so nothing closes.
    answer_ = QMessageBox::Yes;
    EXPECT_FALSE(form_->QueryClose());
    form_->close();
    EXPECT_TRUE(form_->isVisible());
    EXPECT_TRUE(form_->Editing());
    EXPECT_EQ(form_->SurfaceHtml(), text);
    answer_ = QMessageBox::No;
    form_->close();
    EXPECT_FALSE(form_->Editing());
  }
  EXPECT_FALSE(commentary_->HasEntry(kEditorSlot));
}

TEST_F(EditorFormTest, TheCloseQuestionSavesDiscardsOrKeepsEditing) {
  struct Case {
    QMessageBox::StandardButton answer;
    bool closes;
    std::string stored;
  };
  const std::vector<Case> cases = {
      {QMessageBox::Yes, true, "edited"},
      {QMessageBox::No, true, ""},
      {QMessageBox::Cancel, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    questions_.clear();
    Put(EditorKind::kBook, "");
    ASSERT_TRUE(Open(EditorKind::kBook));
    TypeAtEnd("edited");
    answer_ = c.answer;
    form_->close();
    EXPECT_EQ(questions_, QStringList{QString::fromLatin1(kEditorSaveQuestion)});
    EXPECT_EQ(form_->isVisible(), !c.closes);
    EXPECT_EQ(Stored(EditorKind::kBook), c.stored);
    if (!c.closes) {
      answer_ = QMessageBox::No;
      form_->close();
    }
    EXPECT_FALSE(form_->Editing());
  }
  // Nothing changed: no question.
  questions_.clear();
  ASSERT_TRUE(Open(EditorKind::kBook));
  EXPECT_TRUE(form_->QueryClose());
  form_->close();
  EXPECT_TRUE(questions_.isEmpty());
  // The place is stored on closing and taken by the next window.
  const config::WindowState stored = config::GlobalProperties().state_editor;
  EXPECT_TRUE(stored.IsStored());
  TEditorForm second(*main_);
  EXPECT_EQ(GeometryState(second), stored);
}

TEST_F(EditorFormTest, ASecondOpeningWhileEditingIsRefused) {
  ASSERT_TRUE(Open(EditorKind::kCommentary));
  EXPECT_FALSE(Open(EditorKind::kBook));
  EXPECT_EQ(errors_, QStringList{QString::fromLatin1(kEditorBusyMessage)});
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("Editing ETN on John 3:16"));
}

TEST_F(EditorFormTest, ASavedEntryIsShownAgainInItsPane) {
  for (const EditorKind kind : {EditorKind::kCommentary, EditorKind::kBook}) {
    ASSERT_TRUE(Open(kind));
    TypeAtEnd(kind == EditorKind::kCommentary ? "first note" : "first entry");
    SaveAndClose();
    ASSERT_TRUE(Open(kind));
    TypeAtEnd(" again");
    SaveAndClose();
    const std::string shown = kind == EditorKind::kCommentary
                                  ? main_->CommentView()->HTMLView()->DocumentSource()
                                  : main_->DictView()->HTMLView()->DocumentSource();
    EXPECT_NE(
        shown.find(kind == EditorKind::kCommentary ? "first note again" : "first entry again"),
        std::string::npos)
        << shown;
  }
}

}  // namespace
}  // namespace lumora::ui
