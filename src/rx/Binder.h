#pragma once
// Sets a property of a target object from the elements of a sequence, always on the main
// thread. The target is held weakly: once it is gone, elements are dropped.

#include "rx/MainScheduler.h"

#include <QObject>
#include <QPointer>

#include <concepts>
#include <functional>
#include <memory>
#include <type_traits>

namespace rx {

template <class T> class Binder {
public:
    template <class Target>
    Binder(std::weak_ptr<Target> target,
           std::type_identity_t<std::function<void(Target&, const T&)>> binding)
        : set([target = std::move(target), binding = std::move(binding)](const T& value) {
            if (auto living = target.lock()) {
                binding(*living, value);
            }
        }) {}

    template <class Target>
    requires std::derived_from<Target, QObject>
    Binder(Target* target, std::type_identity_t<std::function<void(Target&, const T&)>> binding)
        : set([target = QPointer<Target>(target), binding = std::move(binding)](const T& value) {
            if (target) {
                binding(*target, value);
            }
        }) {}

    void onNext(const T& value) const {
        MainScheduler::instance()->schedule([set = set, value] { set(value); });
    }

private:
    std::function<void(const T&)> set;
};

} // namespace rx
