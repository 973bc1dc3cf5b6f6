// Typing a shortcut in a row of the window: what the box opens with, what its closing keeps
// in Readme.txt and shows, what it refuses, and what holds where the file cannot be written.
#include <gtest/gtest.h>

#include "rig.h"

namespace pimbrel::testing {
namespace {

// grin.png listed with :D, smile.gif and smile.png automatic, "a - b.gif" not listable.
struct EditRig : Rig {
    EditRig() : Rig({u"a - b.gif", u"grin.png", u"smile.gif", u"smile.png"}) {
        SetListFile("My pack\r\n---List---\r\ngrin.png - :D\r\n");
        Load();
        form.OnShown();
    }
    // Opens row `index`'s box and leaves it with `typed`.
    ShortcutEditClosing Type(int index, const std::u16string& typed,
                             EditEnding ending = EditEnding::Enter) {
        const ShortcutEditOpening opening = form.BeginShortcutEdit(index);
        EXPECT_EQ(opening.what, EditOpening::Opened) << opening.reason;
        return form.EndShortcutEdit(typed, ending);
    }
    std::string Column(int index) const { return Utf8(file1.shortcuts.at(index)); }
};

TEST(InPlaceEdit, TheBoxOpensWithTheShortcutTheRowShows) {
    EditRig rig;
    const struct {
        int index;
        EditOpening what;
        std::u16string text;
        std::string reason;
    } rows[] = {
        {0, EditOpening::Refused, u"",
         "Readme.txt cannot list a picture whose name holds \"- \" or ends in \"-\"."},
        {1, EditOpening::Opened, u":D", ""},
        {3, EditOpening::Opened, u"(smil2)", ""},
        {4, EditOpening::NotNow, u"", ""},
        {-1, EditOpening::NotNow, u"", ""},
    };
    for (const auto& row : rows) {
        const ShortcutEditOpening opening = rig.form.BeginShortcutEdit(row.index);
        EXPECT_EQ(opening.what, row.what) << row.index;
        EXPECT_EQ(opening.text, row.text) << row.index;
        EXPECT_EQ(opening.reason, row.reason) << row.index;
    }
    EXPECT_EQ(rig.form.EndShortcutEdit(u":)", EditEnding::Enter).reason, "")
        << "no box is open after a refusal";
    EXPECT_EQ(rig.files.replaced, 0);
}

// Kept at once in the file, the row then says so; an unchanged text writes nothing; the
// empty text gives the automatic shortcut back; Add sends what the rows show.
TEST(InPlaceEdit, AKeptShortcutGoesIntoReadmeAndTheRow) {
    EditRig rig;
    EXPECT_EQ(rig.Type(2, u"[sm]").reason, "");
    EXPECT_EQ(rig.files.files[kListFile],
              "My pack\r\n---List---\r\ngrin.png - :D\r\nsmile.gif - [sm]\r\n");
    EXPECT_EQ(rig.Column(2), "[sm]  (from Readme.txt)");
    EXPECT_EQ(rig.form.EntryToolTip(2), u"Shortcut from Readme.txt: [sm]");

    rig.Type(3, u"(smil2)", EditEnding::Elsewhere);
    rig.Type(2, u"[sm]");
    EXPECT_EQ(rig.files.replaced, 1) << "unchanged texts are no choice";
    EXPECT_EQ(rig.form.EndShortcutEdit(u"(x)", EditEnding::Enter).reason, "") << "box closed";

    rig.Type(1, u"", EditEnding::Elsewhere);
    EXPECT_EQ(rig.files.files[kListFile], "My pack\r\n---List---\r\nsmile.gif - [sm]\r\n");
    EXPECT_EQ(rig.Column(1), "(grin)");

    rig.windows.StartMessenger({});
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(rig.Store(), (Texts{"(a  b) a - b", "(grin) grin", "[sm] smile", "(smil2) smile"}));
}

// Refused on Enter, the box stays for a correction; left elsewhere, it closes. Either way
// the reason is given and the file and the row stay as they were.
TEST(InPlaceEdit, ARefusedTextLeavesTheShortcutAsItWas) {
    for (const EditEnding ending : {EditEnding::Enter, EditEnding::Elsewhere}) {
        EditRig rig;
        const std::string file = rig.files.files[kListFile];
        const ShortcutEditClosing closing = rig.Type(2, u":D", ending);
        EXPECT_EQ(closing.stayOpen, ending == EditEnding::Enter);
        EXPECT_EQ(closing.reason, "grin.png has this shortcut already.");
        EXPECT_EQ(rig.files.files[kListFile], file);
        EXPECT_EQ(rig.Column(2), "(smile)");
        rig.form.EndShortcutEdit(u"(sm)", EditEnding::Enter);
        EXPECT_EQ(rig.Column(2),
                  ending == EditEnding::Enter ? "(sm)  (from Readme.txt)" : "(smile)")
            << "corrected in the box still open, or nothing once it has closed";
    }
}

// A file that cannot be written: a box says so on Enter (beside the cell otherwise), and the
// shortcut holds for this window's runs and its duplicate checks, until another folder opens.
TEST(InPlaceEdit, WhereReadmeCannotBeWrittenTheShortcutHoldsForThisWindow) {
    const std::string told =
        "Readme.txt could not be written. The file is read-only.\n\nsmile.gif has the shortcut "
        "[sm] in this window only, until another folder is opened. Readme.txt is as it was.";
    for (const EditEnding ending : {EditEnding::Enter, EditEnding::Elsewhere}) {
        EditRig rig;
        rig.files.unwritable[kListFile] = "The file is read-only.";
        const ShortcutEditClosing closing = rig.Type(2, u"[sm]", ending);
        EXPECT_FALSE(closing.stayOpen);
        const bool enter = ending == EditEnding::Enter;
        EXPECT_EQ(closing.reason, enter ? "" : told);
        EXPECT_EQ(rig.toolkit.boxes, enter ? Texts{told} : Texts{});
        EXPECT_EQ(rig.Column(2), "[sm]  (not saved)");
        EXPECT_EQ(rig.form.EntryToolTip(2),
                  u"Shortcut for this window only (not saved in Readme.txt): [sm]");
        EXPECT_EQ(rig.Type(3, u"[sm]", ending).reason, "smile.gif has this shortcut already.");
        rig.Type(1, u"", ending);
        EXPECT_EQ(rig.Column(1), "(grin)  (not saved)");
        rig.form.OnActivated();
        EXPECT_EQ(rig.Column(2), "[sm]  (not saved)") << "the file read again";

        rig.windows.StartMessenger({});
        EXPECT_FALSE(rig.Click());
        EXPECT_EQ(rig.Store(),
                  (Texts{"(a  b) a - b", "(grin) grin", "[sm] smile", "(smil2) smile"}));
        EXPECT_TRUE(rig.form.OpenFolder(kFolder));
        EXPECT_EQ(rig.Column(2), "(smile)") << "dropped with the folder";
    }
}

// Left unchanged once the file can be written, a held shortcut is saved after all.
TEST(InPlaceEdit, AHeldShortcutLeftUnchangedIsSavedOnceTheFileTakesIt) {
    EditRig rig;
    rig.files.unwritable[kListFile] = "The file is read-only.";
    rig.Type(2, u"[sm]", EditEnding::Elsewhere);
    rig.Type(1, u"", EditEnding::Elsewhere);
    rig.files.unwritable.clear();
    rig.Type(2, u"[sm]", EditEnding::Elsewhere);
    rig.Type(1, u"(grin)", EditEnding::Elsewhere);
    EXPECT_EQ(rig.files.files[kListFile], "My pack\r\n---List---\r\nsmile.gif - [sm]\r\n");
    EXPECT_EQ(rig.Column(1) + "|" + rig.Column(2), "(grin)|[sm]  (from Readme.txt)");
}

// While a run needs the list, or its retry is pending, no box opens; one that was open when
// a folder was opened keeps nothing.
TEST(InPlaceEdit, NoBoxWhileARunNeedsTheList) {
    EditRig rig;
    rig.windows.StartMessenger({});
    EditOpening duringRun = EditOpening::Opened;
    rig.windows.onPump = [&] { duringRun = rig.form.BeginShortcutEdit(2).what; };
    EXPECT_FALSE(rig.Click());
    EXPECT_EQ(duringRun, EditOpening::NotNow);

    rig.windows.onPump = nullptr;
    standin::Options never;
    never.neverOpenEmoticons = true;
    rig.windows.StartMessenger(never);
    rig.Click();
    ASSERT_TRUE(rig.form.RetryPending());
    EXPECT_EQ(rig.form.BeginShortcutEdit(2).what, EditOpening::NotNow);

    EditRig other;
    ASSERT_EQ(other.form.BeginShortcutEdit(2).what, EditOpening::Opened);
    other.form.Load();
    EXPECT_EQ(other.form.EndShortcutEdit(u"[sm]", EditEnding::Enter).reason, "");
    EXPECT_EQ(other.files.replaced, 0);
}

}  // namespace
}  // namespace pimbrel::testing
