#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// A control of a window or dialog, found by its name as the form gives it,
// the way a user finds it on screen: the tests reach no form's internals.
template <typename T>
T* Named(const QObject& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "no " << name;
    return child;
}
