#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <variant>

namespace channel {

// What an operation that can fail gives back: on success its value (none for
// Outcome), on failure the reason why. There is no default: success and
// failure are made only by Success() and Failure(), so a result that nobody
// filled in can never pass for success. Reading the side that is not there
// throws (std::bad_variant_access, std::bad_optional_access) instead of
// reading garbage. Plain C++, so that the Qt-free layers use it too; the Qt
// layers give a QString reason.
template <typename Value, typename Reason>
class [[nodiscard]] Result {
  public:
    static Result Success(Value value) {
        return Result(std::in_place_index<kValue>, std::move(value));
    }
    static Result Failure(Reason reason) {
        return Result(std::in_place_index<kReason>, std::move(reason));
    }

    bool ok() const { return content_.index() == kValue; }
    const Value& value() const& { return std::get<kValue>(content_); }
    // By value, so that a member of a temporary's value never dangles.
    Value value() && { return std::get<kValue>(std::move(content_)); }
    const Reason& reason() const { return std::get<kReason>(content_); }

  private:
    // By index, not by type: Value and Reason may be the same type.
    static constexpr std::size_t kValue = 0;
    static constexpr std::size_t kReason = 1;

    template <std::size_t Side, typename Part>
    Result(std::in_place_index_t<Side> side, Part&& part)
        : content_(side, std::forward<Part>(part)) {}

    std::variant<Value, Reason> content_;
};

// Success without a value, or the reason of the failure.
template <typename Reason>
class [[nodiscard]] Result<void, Reason> {
  public:
    static Result Success() { return Result(std::nullopt); }
    static Result Failure(Reason reason) { return Result(std::move(reason)); }

    bool ok() const { return !reason_.has_value(); }
    const Reason& reason() const { return reason_.value(); }

  private:
    explicit Result(std::optional<Reason> reason) : reason_(std::move(reason)) {}

    std::optional<Reason> reason_;  // empty on success
};

template <typename Reason>
using Outcome = Result<void, Reason>;

}  // namespace channel
