// The tree component: the text limit, placeholders and levels, the mailbox,
// the multi-selection rules under injected input, label editing's gates, the
// incremental rebuild against a full one over change sequences, bad input,
// and its looks.
#include "grid/qoTree.h"

#include "data/qoDoLater.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

using Strings = std::vector<std::string>;

class Tree : public test::TWidgetFixture<TqoTree> {
protected:
    Tree() { Place(TRect::Bounds(5, 5, 170, 130)); }
    TqoDataEntity_Tree* Add(TqoDataEntity_Tree* owner, const std::string& text) {
        TqoDataEntity_Tree* e = control->AddDataEntity(owner);
        e->SetText(text);
        return e;
    }
    // a (a1, a2), b, c
    void Build() {
        a = Add(nullptr, "a");
        a1 = Add(a, "a1");
        a2 = Add(a, "a2");
        b = Add(nullptr, "b");
        c = Add(nullptr, "c");
        control->EnsureDisplayUpToDate();
    }
    // Every node in the fully expanded order: level, text, expanded, entity.
    Strings Nodes() {
        control->EnsureDisplayUpToDate();
        Strings out;
        for (TTreeNode* n = control->GetFirstNode(); n; n = n->GetNext()) {
            auto* entity = static_cast<TTreeNode_qoSub*>(n)->Entity();
            out.push_back(std::string(size_t(n->Level()), ' ') + std::string(n->Text()) + (n->Expanded() ? "+" : "") +
                          (entity && entity->Node() != n ? " (bad link)" : "") +
                          "/" + std::to_string(n->ImageIndex()));
        }
        return out;
    }
    std::string Current() {
        TqoDataEntity_Tree* e = control->CurrentDataEntity();
        return e ? std::string(e->Text()) : "nil";
    }
    Strings SelectedTexts() {
        Strings out;
        for (TTreeNode* n = control->GetFirstNode(); n; n = n->GetNext())
            if (auto* e = static_cast<TTreeNode_qoSub*>(n)->Entity(); e && e->GetSelected()) out.emplace_back(e->Text());
        return out;
    }
    TPoint At(TqoDataEntity_Tree* e) {
        const TRect r = control->GetRect(e);
        return {r.Left + 2, r.Top + 2};
    }
    TqoDataEntity_Tree *a = nullptr, *a1 = nullptr, *a2 = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(Tree, TextsOfMoreThan255CharactersAreRefusedWithTheirMessage) {
    Build();
    a->SetText(std::string(255, 'x'));
    EXPECT_EQ(a->Node()->Text().size(), 255u);
    try {
        a->SetText(std::string(256, 'y'));
        FAIL();
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "Treenodes only allow strings smaller than 255 chars");
    }
    EXPECT_EQ(a->Text(), std::string(255, 'x')) << "the entity keeps its text";
    EXPECT_EQ(a->Node()->Text(), std::string(255, 'x')) << "and so does its node";
}

// The node keeps no copy: what is set on either is what both show; a
// placeholder has no entity to keep anything.
TEST_F(Tree, ANodeShowsItsEntitysTextAndImagesAndSetsThemThere) {
    Build();
    a->SetText("A");
    a->SetImageIndex(4);
    EXPECT_EQ(a->Node()->Text(), "A");
    EXPECT_EQ(a->Node()->ImageIndex(), 4);
    a->Node()->SetText("a!");
    a->Node()->SetImageIndex(70000);
    a->Node()->SetSelectedIndex(5);
    EXPECT_EQ(a->Text(), "a!");
    EXPECT_EQ(a->ImageIndex(), 70000);
    EXPECT_EQ(a->SelectedIndex(), 5);
    EXPECT_THROW(a->Node()->SetText(std::string(256, 'y')), EqoError);
    EXPECT_EQ(a->Node()->Text(), "a!") << "refused through the node as through the entity";
    TTreeNode* placeholder = b->ExpanderSubNode();
    placeholder->SetText("other");
    placeholder->SetImageIndex(1);
    EXPECT_EQ(placeholder->Text(), "Not initiated");
    EXPECT_EQ(placeholder->ImageIndex(), -1);
}

TEST_F(Tree, LeavesGetPlaceholdersThatChildrenTakeOrExpansionRemoves) {
    Build();
    EXPECT_EQ(Nodes(), (Strings{"a/-1", " a1/-1", "  Not initiated/-1", " a2/-1", "  Not initiated/-1", "b/-1",
                                " Not initiated/-1", "c/-1", " Not initiated/-1"}));
    EXPECT_EQ(b->ExpanderSubNode()->Text(), "Not initiated");
    // Expanding a leaf whose list stays empty takes its button away.
    b->Node()->Expand(false);
    EXPECT_EQ(b->ExpanderSubNode(), nullptr);
    EXPECT_FALSE(b->Node()->HasChildren());
    // A host that loads on demand adds the child while asked: it takes the placeholder node.
    TTreeNode* placeholder = c->ExpanderSubNode();
    control->OnExpanding = [&](TCustomTreeView*, TTreeNode* n, bool&) {
        if (n == c->Node()) Add(c, "c1");
    };
    c->Node()->Expand(false);
    EXPECT_EQ(c->SubDataList()->Item(0)->Node(), placeholder);
    EXPECT_EQ(Nodes().back(), "  Not initiated/-1") << "c1 is a leaf with its own placeholder";
    // With two levels at most, leaves on level 1 get none.
    control->SetMaxLevels(2);
    TqoDataEntity_Tree* d = Add(nullptr, "d");
    TqoDataEntity_Tree* d1 = Add(d, "d1");
    control->EnsureDisplayUpToDate();
    EXPECT_EQ(d1->ExpanderSubNode(), nullptr);
    TqoDataEntity_Tree* e = Add(nullptr, "e");
    control->EnsureDisplayUpToDate();
    EXPECT_NE(e->ExpanderSubNode(), nullptr);
}

TEST_F(Tree, TheMailboxSelectsTheLastRequestOrNothing) {
    Build();
    control->SetCurrentDataEntity(a);
    control->SetCurrentDataEntity(c);
    EXPECT_EQ(Current(), "nil") << "never at once";
    TDoLater::DoAllNow();
    EXPECT_EQ(Current(), "c");
    control->SetCurrentDataEntity(b);
    control->RemoveDataEntity(b);
    TDoLater::DoAllNow();
    EXPECT_EQ(Current(), "nil") << "the deleted mailbox entity selects nothing";
    control->RemoveDataEntity(c);
    EXPECT_EQ(Current(), "nil");
    EXPECT_EQ(control->Selected(), nullptr) << "no other node stands in for a deleted current one";
}

TEST_F(Tree, MultiSelectionFollowsShiftCtrlAndTheDeferredPlainClick) {
    Build();
    a->SetExpanded(true);
    control->EnsureDisplayUpToDate();
    control->SetMultiSelect(true);
    harness.Click(*control, At(a1));
    TDoLater::DoAllNow();
    EXPECT_EQ(Current(), "a1");
    harness.Click(*control, At(b), mbLeft, ssShift);
    EXPECT_EQ(SelectedTexts(), (Strings{"a1", "a2", "b"}));
    EXPECT_EQ(Current(), "a1") << "Shift leaves the current entity";
    harness.Click(*control, At(a2), mbLeft, ssCtrl);
    EXPECT_EQ(SelectedTexts(), (Strings{"a1", "b"}));
    harness.Click(*control, At(a2), mbLeft, ssCtrl);
    // A press on one of several selected keeps them for a drag; the release reduces them.
    harness.MouseDown(*control, At(b));
    EXPECT_EQ(SelectedTexts(), (Strings{"a1", "a2", "b"}));
    harness.MouseUp(*control, At(b));
    TDoLater::DoAllNow();
    EXPECT_EQ(SelectedTexts(), (Strings{"b"}));
    EXPECT_EQ(Current(), "b");
    // Keys move the current entity and the selection with it.
    harness.Key(VK_DOWN);
    TDoLater::DoAllNow();
    EXPECT_EQ(SelectedTexts(), (Strings{"c"}));
}

TEST_F(Tree, RowsRectanglesAndAutoExpansion) {
    Build();
    EXPECT_EQ(control->GetRect(a1), TRect(-1, -1, -1, -1)) << "collapsed under a";
    TqoDataEntity_Tree* loose = control->AddDataEntity(nullptr);
    EXPECT_EQ(control->GetRect(loose), TRect(-1, -1, -1, -1)) << "no node yet";
    b->Set_HideNode(true);
    EXPECT_EQ(control->GetDataEntityFromRow(0), a);
    EXPECT_EQ(control->GetDataEntityFromRow(1), c) << "skips the hidden and the collapsed";
    EXPECT_EQ(control->GetDataEntityFromRow(3), nullptr);
    Add(a1, "a11");
    control->SetAutoExpandLevels(1);
    control->EnsureDisplayUpToDate();
    EXPECT_TRUE(a->Expanded());
    EXPECT_FALSE(a1->Expanded()) << "only the root level";
    EXPECT_EQ(control->GetDataEntityFromRow(1), a1);
    EXPECT_EQ(control->GetRect(a1).Top, control->GetRect(a).Bottom);
}

TEST_F(Tree, EditingNeedsCanEditAndASecondAfterSelecting) {
    Build();
    control->SetFocus();
    control->OnValueChanged = [this](TqoTree_ComBasic*, TqoDataEntity_Tree* e) { Record("value " + std::string(e->Text())); };
    harness.Click(*control, At(b));
    TDoLater::DoAllNow();
    harness.Key(VK_F2);
    EXPECT_FALSE(control->IsEditing()) << "CanEdit is false";
    b->SetCanEdit(true);
    harness.Key(VK_F2);
    EXPECT_FALSE(control->IsEditing()) << "within a second of selecting";
    harness.AdvanceTime(1000);
    harness.Key(VK_F2);
    ASSERT_TRUE(control->IsEditing());
    harness.Key(VK_END); // the label starts all selected
    harness.Key(0, 0, u'!');
    harness.Key(VK_RETURN);
    EXPECT_EQ(b->Text(), "b!");
    EXPECT_EQ(b->Node()->Text(), "b!");
    EXPECT_EQ(Log, (Strings{"value b!", "value b!"})) << "each key, then the end";
    control->OnBeforeCanEditItem = [](TqoTree_ComBasic*, TqoDataEntity_Tree*) { throw EqoError("no"); };
    harness.Key(VK_F2);
    EXPECT_FALSE(control->IsEditing()) << "a check that raises forbids";
}

// Each sequence of changes, painted after every step, leaves the same nodes
// as a tree made from scratch from the same data.
TEST_F(Tree, TheIncrementalRebuildMatchesAFullOne) {
    using TStep = std::function<void()>;
    const std::vector<std::pair<std::string, std::vector<TStep>>> sequences = {
        {"adds", {[this] { Add(a1, "a11"); }, [this] { control->InsertDataEntity(nullptr, 1); }}},
        {"deletes", {[this] { control->RemoveDataEntity(a1); }, [this] { control->RemoveDataEntity(c); }}},
        // Entities waiting for the rebuild go, and new ones may take their memory.
        {"deletes and adds before a paint", {[this] {
             for (int i = 0; i < 20; ++i) control->RemoveDataEntity(Add(i % 2 ? a : nullptr, "gone"));
             control->RemoveDataEntity(a2);
             for (int i = 0; i < 3; ++i) Add(i % 2 ? a : nullptr, "new" + std::to_string(i));
             control->RemoveDataEntity(b);
             b = nullptr;
         }}},
        {"moves", {[this] { c->Move(0); }, [this] { a2->Move(0); }, [this] { control->ChangeOwner(b, a2); }}},
        {"sorts", {[this] {
             control->OnSortCompare = [](TqoTree_ComBasic*, TqoDataEntity_Tree* x, TqoDataEntity_Tree* y) {
                 return y->Text().compare(x->Text());
             };
             control->RootDataEntities()->Sort(false);
         }}},
        {"expand and collapse", {[this] { a->SetExpanded(true); }, [this] { a1->SetExpanded(true); },
                                 [this] { a->SetExpanded(false); }}},
        {"hide and show", {[this] { a->Set_HideNode(true); }, [this] { Add(a, "a3"); },
                           [this] { a->Set_HideNode(false); }}},
        {"values", {[this] { b->SetImageIndex(3); }, [this] { a2->SetText("renamed"); }}},
        {"unloads", {[this] {
             control->ListController()->SetOnUnLoadItem([](TqoDataEntity*, bool& may) { may = true; });
             a->SubDataList()->UnloadAll();
         }}},
    };
    for (const auto& [name, steps] : sequences) {
        control->Clear();
        Build();
        for (const TStep& step : steps) {
            step();
            control->Repaint();
        }
        const Strings incremental = Nodes();
        control->RecreateNodes();
        EXPECT_EQ(incremental, Nodes()) << name;
    }
}

TEST_F(Tree, BadInputGivesAClearErrorOrADefinedResult) {
    Build();
    TqoTree other(&form);
    TqoDataEntity_Tree* foreign = other.AddDataEntity(nullptr);
    EXPECT_THROW(control->AddDataEntity(foreign), EqoError);
    EXPECT_THROW(control->RemoveDataEntity(foreign), EqoError);
    EXPECT_THROW(control->ChangeOwner(a, foreign), EqoError);
    EXPECT_THROW(control->ChangeOwner(a, a1), EqoError);
    EXPECT_EQ(other.RootDataEntities()->Count(), 1);
    // Deleting the current, anchor and edited entity, and one from inside its own notification.
    control->SetMultiSelect(true);
    harness.Click(*control, At(b));
    TDoLater::DoAllNow();
    b->SetCanEdit(true);
    harness.AdvanceTime(1000);
    control->SetFocus();
    harness.Key(VK_F2);
    ASSERT_TRUE(control->IsEditing());
    control->OnDeleteItem = [this](TqoTree_ComBasic*, TqoDataEntity_Tree* e) { control->RemoveDataEntity(e); };
    control->RemoveDataEntity(b);
    EXPECT_FALSE(control->IsEditing());
    EXPECT_EQ(Current(), "nil");
    harness.Click(*control, At(c), mbLeft, ssShift);
    EXPECT_EQ(SelectedTexts(), (Strings{"c"})) << "the lost anchor starts again at the click";
    EXPECT_EQ(Nodes().size(), 7u) << "a, a1, a2 and c with their placeholders: nothing else went";
    control->OnDeleteItem = nullptr; // the fixture is gone when the control frees the rest
}

TEST_F(Tree, LooksWithGridLinesFontsAndSelectionInTheEntities) {
    Build();
    a->SetExpanded(true);
    a1->SetFontStyle(fsBold);
    a2->SetFontName("Courier New");
    a2->SetFontStyle(fsItalic);
    control->SetDrawGridLines(true);
    control->SetMultiSelect(true);
    a1->SetSelected(true);
    c->SetSelected(true);
    EXPECT_TRUE(LooksLike("tree_gridlines_fonts_unfocused"));
    control->SetFocus();
    EXPECT_TRUE(LooksLike("tree_gridlines_fonts_focused"));
}

} // namespace
} // namespace qo
