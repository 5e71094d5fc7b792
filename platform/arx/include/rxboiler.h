// The declare/define macros of runtime classes.
#pragma once
#include "rxclass.h"

#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                                                               \
    static AcRxClass* gpDesc;                                                                                          \
    static AcRxClass* desc();                                                                                          \
    static CLASS_NAME* cast(const AcRxObject* inPtr)                                                                   \
    {                                                                                                                  \
        return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc()))                                              \
                   ? nullptr                                                                                           \
                   : const_cast<CLASS_NAME*>(static_cast<const CLASS_NAME*>(inPtr));                                   \
    }                                                                                                                  \
    AcRxClass* isA() const override;                                                                                   \
    static void rxInit()

#define ACRX_DEFINE_MEMBERS_COMMON(CLASS_NAME)                                                                         \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                                           \
    AcRxClass* CLASS_NAME::desc()                                                                                      \
    {                                                                                                                  \
        static unsigned generation = 0;                                                                                \
        if (gpDesc == nullptr || generation != acrxClassGeneration()) {                                                \
            gpDesc = acrxFindClass(#CLASS_NAME);                                                                       \
            generation = acrxClassGeneration();                                                                        \
        }                                                                                                              \
        return gpDesc;                                                                                                 \
    }                                                                                                                  \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }

#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS)                                                          \
    ACRX_DEFINE_MEMBERS_COMMON(CLASS_NAME)                                                                             \
    void CLASS_NAME::rxInit() { gpDesc = newAcRxClass(#CLASS_NAME, #PARENT_CLASS); }

#define ACRX_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, VERNO)                                                      \
    ACRX_DEFINE_MEMBERS_COMMON(CLASS_NAME)                                                                             \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                                                 \
    void CLASS_NAME::rxInit()                                                                                          \
    {                                                                                                                  \
        gpDesc = newAcRxClass(#CLASS_NAME, #PARENT_CLASS, VERNO, 0, 0, make##CLASS_NAME, nullptr, nullptr);            \
    }

#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS, DXF_NAME,     \
                                APP)                                                                                   \
    ACRX_DEFINE_MEMBERS_COMMON(CLASS_NAME)                                                                             \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                                                 \
    void CLASS_NAME::rxInit()                                                                                          \
    {                                                                                                                  \
        gpDesc = newAcRxClass(#CLASS_NAME, #PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS,               \
                              make##CLASS_NAME, #DXF_NAME, #APP);                                                      \
    }

// The protocol extension object of class PEClass that the object's class (or a parent) has.
#define ACRX_PE_PTR(RxObj, PEClass) PEClass::cast((RxObj)->queryX(PEClass::desc()))
