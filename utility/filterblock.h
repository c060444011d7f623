#pragma once
// FILTERBLOCK: a test bound to the object it is about, typically a data
// server, so the pair can be handed around and evaluated as one. EVAL calls
// the block with the object and returns its answer unchanged. DESTROY lets go
// of both; after it EVAL has nothing to run and answers nothing.

#include <QVariant>

#include <functional>
#include <memory>

namespace zeva {

template <class T>
class FILTERBLOCK {
public:
    using Block = std::function<QVariant(T& object)>;

    FILTERBLOCK(std::shared_ptr<T> object, Block block) : ODB(std::move(object)), BEXPR(std::move(block)) {}
    ~FILTERBLOCK() { AXIT(); }
    FILTERBLOCK(const FILTERBLOCK&) = default;
    FILTERBLOCK& operator=(const FILTERBLOCK&) = default;

    QVariant EVAL() const
    {
        if (!ODB || !BEXPR)
            return QVariant();
        return BEXPR(*ODB);
    }
    FILTERBLOCK& DESTROY()
    {
        ODB.reset();
        BEXPR = nullptr;
        return *this;
    }
    FILTERBLOCK& AXIT() { return DESTROY(); }

    std::shared_ptr<T> ODB;
    Block BEXPR;
};

}  // namespace zeva
