#pragma once
// Keeps a node's memory while host code runs that may delete it, and tells
// afterwards whether the node is still in a list.
#include "grid/qoGridTree.h"

namespace qo {

class THold {
public:
    explicit THold(TqoDataEntity* node) : fNode(node) {
        if (fNode) fNode->ObjAddRef();
    }
    ~THold() {
        if (fNode) fNode->ObjRelease();
    }
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;
    bool InList() const { return fNode && fNode->ListIndex() >= 0; }

private:
    TqoDataEntity* fNode;
};

} // namespace qo
