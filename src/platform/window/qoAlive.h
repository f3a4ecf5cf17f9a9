#pragma once
// Whether an object survived a call into code that may free it. A control
// takes a watch before firing a notification and looks afterwards.
#include <memory>

namespace qo {

class TqoAlive {
public:
    TqoAlive() = default;
    ~TqoAlive() { *fAlive = false; }
    TqoAlive(const TqoAlive&) = delete;
    TqoAlive& operator=(const TqoAlive&) = delete;

    class TWatch {
    public:
        explicit TWatch(std::shared_ptr<const bool> alive) : fAlive(std::move(alive)) {}
        explicit operator bool() const { return *fAlive; }

    private:
        std::shared_ptr<const bool> fAlive;
    };
    TWatch Watch() const { return TWatch(fAlive); }

private:
    std::shared_ptr<bool> fAlive = std::make_shared<bool>(true);
};

} // namespace qo
