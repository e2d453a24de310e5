// Vectors that own what they point to, optionally kept sorted by the
// element's own tests, with a command broadcast and a lookup by key; and a
// value holder behind virtual set and get operations.
//
// The vector asks its element type through lcVectorPtrTraits<T>:
//   IsEqual (key, element)   whether the key equals the element;
//   IsBefore (key, element)  whether the key sorts before the element;
//   Command (element, a, b)  the element's command (lcVectorPtrCmd);
//   FindByKey (element, key) the element's key lookup (lcVectorPtrKey).
// By default the tests are operator== and operator< of T when it has them
// (otherwise equality is identity and nothing sorts before anything), the
// command is T::Command and the lookup T::FindByKey.  An element type whose
// operations have their own names specialises the traits next to the class:
//
//   template <> struct lcVectorPtrTraits<cIniFile> : lcVectorPtrTraitsBase<cIniFile> {
//       static bool IsEqual(const cIniFile &key, const cIniFile &e) { return key.IsSameSection(e); }
//       static bool IsBefore(const cIniFile &key, const cIniFile &e) { return key.IsBeforeSection(e); }
//   };
//
// A specialisation may add overloads for other key types (a name, say); the
// non-virtual FindEqualKey and FindSortedPosKey take any such key.
#pragma once

#include <algorithm>
#include <concepts>
#include <functional>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "foundation/base_defs.h"

template <class T>
struct lcVectorPtrTraitsBase {
    template <class K>
    static bool IsEqual(const K &key, const T &element) {
        if constexpr (requires { { key == element } -> std::convertible_to<bool>; })
            return key == element;
        else
            return static_cast<const void *>(&key) == static_cast<const void *>(&element);
    }
    template <class K>
    static bool IsBefore(const K &key, const T &element) {
        if constexpr (requires { { key < element } -> std::convertible_to<bool>; })
            return key < element;
        else
            return false;
    }
    static tStatus Command(T &element, int32_t a, int32_t b) { return element.Command(a, b); }
    template <class K>
    static T *FindByKey(T &element, const K &key) { return element.FindByKey(key); }
};

template <class T>
struct lcVectorPtrTraits : lcVectorPtrTraitsBase<T> {};

template <class T>
class lcVectorPtr : public std::vector<T *> {
public:
    using Traits = lcVectorPtrTraits<T>;
    using Base = std::vector<T *>;

    lcVectorPtr() = default;
    // Owning: copying would delete the elements twice.
    lcVectorPtr(const lcVectorPtr &) = delete;
    lcVectorPtr &operator=(const lcVectorPtr &) = delete;
    virtual ~lcVectorPtr() { lcVectorPtr::DeleteAll(); }

    // p when it stands in the vector (pointer comparison), else null.
    virtual T *Find(const T *p) const {
        for (T *e : *this)
            if (e == p) return e;
        return nullptr;
    }

    // The first non-null element that the key equals; null when none.
    virtual T *FindEqual(const T *key) const { return key ? FindEqualKey(*key) : nullptr; }

    // The first position whose element the key equals or sorts before: the
    // insertion point that keeps the vector ascending; the size when none.
    virtual int32_t FindSortedPos(const T *key) const { return key ? FindSortedPosKey(*key) : Size(); }

    // Places p at FindSortedPos (p).  With replace, an element equal to p
    // there is deleted and p takes its place; otherwise p goes before it,
    // so equal elements stay, the newest first.  Answers p's position.
    virtual int32_t InsertSorted(T *p, bool replace) {
        int32_t pos = FindSortedPos(p);
        if (pos >= Size()) {
            this->push_back(p);
            return pos;
        }
        T *found = (*this)[size_t(pos)];
        if (replace && (!found || (p && Traits::IsEqual(*p, *found)))) {
            (*this)[size_t(pos)] = p;
            if (found && found != defaultElement && found != p) delete found;
            return pos;
        }
        this->insert(this->begin() + pos, p);
        return pos;
    }

    // Takes the first occurrence of p out without deleting it; null when p
    // is null or absent.
    virtual T *Remove(T *p) {
        if (!p) return nullptr;
        int32_t i = IndexOf(p);
        if (i < 0) return nullptr;
        this->erase(this->begin() + i);
        return p;
    }

    // Empties the vector without deleting anything.
    virtual void RemoveAll() { this->clear(); }

    // Takes p out and deletes it; an absent pointer is left alone.
    virtual void Delete(T *p) {
        T *taken = Remove(p);
        if (taken && taken != defaultElement) delete taken;
    }

    // Deletes every element but null entries and the default element, from
    // the first, then empties the vector.  A pointer that stands more than
    // once is deleted once.
    virtual tStatus DeleteAll() {
        DropRepeats();
        // Each slot is cleared before its delete, so that an element's
        // destructor that looks at its siblings never meets a deleted one.
        // A destructor that takes elements out shifts the rest: walk again
        // until a pass deletes nothing.
        for (bool deleted = true; deleted;) {
            deleted = false;
            for (size_t i = 0; i < this->size(); ++i) {
                T *e = (*this)[i];
                if (!e || e == defaultElement) continue;
                (*this)[i] = nullptr;
                delete e;
                deleted = true;
            }
        }
        this->clear();
        return RC_OK;
    }

    // Takes the first element out; null when the vector is empty.
    virtual T *PopFront() {
        if (this->empty()) return nullptr;
        T *p = this->front();
        this->erase(this->begin());
        return p;
    }

    // Stores p at index without deleting what stood there; positions opened
    // beyond the end hold the default element.  Answers the new size.
    virtual int32_t SetAt(T *p, int32_t index) {
        if (index < 0) return Size();
        if (size_t(index) >= this->size()) this->resize(size_t(index) + 1, defaultElement);
        (*this)[size_t(index)] = p;
        return Size();
    }

    // The index of the first occurrence of p; -1 when p is null or absent.
    int32_t IndexOf(const T *p) const {
        if (!p) return -1;
        for (size_t i = 0; i < this->size(); ++i)
            if ((*this)[i] == p) return int32_t(i);
        return -1;
    }

    template <class K>
    T *FindEqualKey(const K &key) const {
        for (T *e : *this)
            if (e && Traits::IsEqual(key, *e)) return e;
        return nullptr;
    }

    template <class K>
    int32_t FindSortedPosKey(const K &key) const {
        for (size_t i = 0; i < this->size(); ++i) {
            const T *e = (*this)[i];
            if (!e) continue;
            if (Traits::IsEqual(key, *e) || Traits::IsBefore(key, *e)) return int32_t(i);
        }
        return Size();
    }

    int32_t Size() const { return int32_t(this->size()); }
    T *GetDefault() const { return defaultElement; }

protected:
    // Clears every repeated occurrence of a pointer after its first.
    void DropRepeats() {
        std::vector<T *> sorted(this->begin(), this->end());
        std::sort(sorted.begin(), sorted.end(), std::less<T *>());
        auto repeat = std::adjacent_find(sorted.begin(), sorted.end(),
                                         [](T *a, T *b) { return a && a == b; });
        if (repeat == sorted.end()) return;
        std::unordered_set<T *> seen;
        for (T *&e : *this)
            if (e && e != defaultElement && !seen.insert(e).second) e = nullptr;
    }

    // Fills the positions SetAt opens; never deleted.  Null here; a derived
    // class may set its own.
    T *defaultElement = nullptr;
};

template <class T>
class lcVectorPtrCmd : public lcVectorPtr<T> {
public:
    using Traits = typename lcVectorPtr<T>::Traits;

    // Sends (a, b) to every element and answers the lowest status (0 unless
    // some element fails).  The walk goes over a snapshot, so an element's
    // command may add or remove elements: added ones are not called, and
    // one taken out is not called once it is gone (found by pointer only, so
    // a deleted element is never touched).
    virtual tStatus CommandAll(int32_t a, int32_t b) {
        const std::vector<T *> snapshot(this->begin(), this->end());
        tStatus result = RC_OK;
        for (T *e : snapshot) {
            if (!e || !this->Find(e)) continue;
            tStatus status = Traits::Command(*e, a, b);
            if (status < result) result = status;
        }
        return result;
    }
};

template <class T, class K>
class lcVectorPtrKey : public lcVectorPtrCmd<T> {
public:
    using Traits = typename lcVectorPtr<T>::Traits;

    // The first non-null answer of the elements' key lookup; null when none.
    virtual T *FindByKey(K key) {
        for (size_t i = 0; i < this->size(); ++i) {
            T *e = (*this)[i];
            if (!e) continue;
            if (T *found = Traits::FindByKey(*e, key)) return found;
        }
        return nullptr;
    }
};

// One value behind virtual set and get, so that a derived class can give the
// value storage of its own.
template <class T>
class mDataVal {
public:
    mDataVal() : value() {}
    explicit mDataVal(T v) : value(v) {}
    virtual ~mDataVal() = default;

    // Stores v; answers the value it replaces.
    virtual T Set(T v) {
        T previous = value;
        value = v;
        return previous;
    }
    virtual T Get() const { return value; }
    // 0 when the value is non-zero (non-null), else RC_FAIL.
    virtual tStatus IsSet() const { return value ? RC_OK : RC_FAIL; }
    // Set through the virtual table, so that an override takes effect.
    virtual T Assign(T v) { return Set(v); }

protected:
    T value;
};
