#pragma once
// A grid tree on a test grid with one column and one header row. Nodes are
// numbered in the order they are announced (their UserIntegerReference), the
// integration events are logged, and Rows() spells the grid's rows in order:
// a node's number, in brackets when hidden, "~n" for n unloaded rows.
#include "grid/qoGridTree.h"
#include "qoBabGridContent_test.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qo::test {

using TNode = TqoDataEntity_GridTreeNode;

struct TTreeGrid {
    TTestGrid g;
    std::unique_ptr<TqoGridTree> tree;
    std::vector<std::string> events;
    int lastId = 0;

    TTreeGrid() {
        g.X()->AddNew(nullptr);
        g.Y()->AddNew(nullptr);
        g.root->SetFixedRows(1);
        tree = TqoGridTree::Create(g.root.get());
        tree->SetOnIntegrationEvents([this](TIntegrationEventKind kind, TNode* node) { Announce(kind, node); });
    }

    TNode* Add(TNode* owner = nullptr) { return tree->AddDataEntity(owner); }
    static int Id(const TNode* node) { return node ? node->UserIntegerReference() : 0; }
    TqoDataList_GridTree* Root() const { return tree->RootDataEntities(); }

    void Announce(TIntegrationEventKind kind, TNode* node) {
        static const char* const names[] = {"insert", "remove", "selection", "visible",
                                            "move",   "unload", "load",      "invalidate"};
        if ((kind == ieInsert || kind == ieLoad) && node->UserIntegerReference() == 0)
            node->SetUserIntegerReference(++lastId);
        events.push_back(std::string(names[kind]) + " " + std::to_string(Id(node)));
    }
    // The events of the given kind, in order, as "kind id" texts joined by commas.
    std::string Events(const std::string& kind) const {
        std::string out;
        for (const std::string& e : events)
            if (e.rfind(kind + " ", 0) == 0) out += (out.empty() ? "" : ",") + e.substr(kind.size() + 1);
        return out;
    }

    std::string Rows() const {
        std::string out;
        TAxisContentList* y = g.Y();
        int unloaded = 0;
        const auto put = [&out](const std::string& s) { out += (out.empty() ? "" : " ") + s; };
        for (int i = y->FixedItems(); i < y->Count(); ++i) {
            if (!y->IsLoaded(i)) {
                ++unloaded;
                continue;
            }
            if (unloaded) put("~" + std::to_string(std::exchange(unloaded, 0)));
            TAxisContentItem* row = y->Loaded(y->TrueToLoaded(i));
            const TNode* node = TqoGridTree::NodeOfRow(row);
            const std::string id = node ? std::to_string(Id(node)) : "?";
            put(row->Hide() ? "(" + id + ")" : id);
        }
        if (unloaded) put("~" + std::to_string(unloaded));
        return out;
    }

    // What the grid does for the rows of a tree's cell, the view letting every row go.
    void ForwardVirtualRows() {
        TqoGridTree* t = tree.get();
        g.root->OnVirtualLoad = [t](TBabGridCell*, TAxisContentItem* item, bool rows) {
            if (rows) t->_OnGridRowReload(item);
        };
        g.root->OnVirtualUnLoad = [t](TBabGridCell*, TAxisContentItem* item, bool rows, bool perform, bool& answer) {
            answer = true;
            if (rows) t->_OnGridRowUnload(item, perform, answer);
        };
        g.root->OnKeepAfterUnloadCheck = [t](TBabGridCell*, TAxisContentItem* item, bool rows, bool& keep) {
            if (rows && keep) t->_OnKeepGridRowAfterUnload(item, keep);
        };
        g.root->OnUnloadIntervall = [t](TBabGridCell*, TAxisContentItem* item, bool rows, int& first, int& last) {
            if (rows) t->_OnUnloadIntervall(item, first, last);
        };
        g.root->OnDeleteOfUnloaded = [t](TBabGridCell* grid, bool rows, int& first, int& last) {
            if (rows) t->_OnDeleteOfUnloaded(grid, first, last);
        };
    }
};

} // namespace qo::test
