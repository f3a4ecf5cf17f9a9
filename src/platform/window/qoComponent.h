#pragma once
// The base of everything a form holds: an owner that frees what it owns, a
// name, and the component state.
#include <cstdint>
#include <string>
#include <vector>

namespace qo {

using TComponentState = uint32_t;
constexpr TComponentState csLoading = 0x01;
constexpr TComponentState csDestroying = 0x08;
constexpr TComponentState csDesigning = 0x10;

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    // Frees the owned components, last first.
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return fOwner; }
    const std::string& Name() const { return fName; }
    void SetName(const std::string& name) { fName = name; }

    TComponentState ComponentState() const { return fComponentState; }
    bool IsDesigning() const { return fComponentState & csDesigning; }
    bool IsLoading() const { return fComponentState & csLoading; }
    bool IsDestroying() const { return fComponentState & csDestroying; }
    // Designing spreads to the owned components, as a designer sets it on a form.
    void SetDesigning(bool designing);
    void BeginLoading() { fComponentState |= csLoading; }
    // Ends loading; subclasses finish what loading postponed.
    virtual void Loaded() { fComponentState &= ~csLoading; }

    int ComponentCount() const { return int(fComponents.size()); }
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;

protected:
    // Every destructor of a subclass starts with this, so that handlers see it.
    void Destroying() { fComponentState |= csDestroying; }

private:
    TComponent* fOwner;
    std::string fName;
    TComponentState fComponentState = 0;
    std::vector<TComponent*> fComponents;
};

} // namespace qo
