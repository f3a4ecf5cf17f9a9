#include "platform/window/qoComponent.h"

#include "platform/core/qoErrors.h"

#include <algorithm>

namespace qo {

TComponent::TComponent(TComponent* owner) : fOwner(owner) {
    if (fOwner) fOwner->fComponents.push_back(this);
}

TComponent::~TComponent() {
    Destroying();
    // An owned component removes itself from this list as it goes.
    while (!fComponents.empty()) delete fComponents.back();
    if (fOwner) std::erase(fOwner->fComponents, this);
}

void TComponent::SetDesigning(bool designing) {
    if (designing)
        fComponentState |= csDesigning;
    else
        fComponentState &= ~csDesigning;
    for (TComponent* component : fComponents) component->SetDesigning(designing);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError(index);
    return fComponents[size_t(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    auto it = std::find_if(fComponents.begin(), fComponents.end(),
                           [&](const TComponent* c) { return !name.empty() && c->Name() == name; });
    return it == fComponents.end() ? nullptr : *it;
}

} // namespace qo
