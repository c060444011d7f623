#include "utility/dllversion.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace zeva;

namespace {

bool loaded(const char* path)
{
    void* h = ::dlopen(path, RTLD_LAZY | RTLD_NOLOAD);
    if (h)
        ::dlclose(h);
    return h != nullptr;
}

}  // namespace

TEST(DllVersion, AnswersOnlyForALoadedLibrary)
{
    const QString answering = QStringLiteral(ZEVA_TEST_ANSWERING_LIB);
    const QString silent = QStringLiteral(ZEVA_TEST_SILENT_LIB);
    ASSERT_FALSE(loaded(ZEVA_TEST_ANSWERING_LIB));

    // On disk but not loaded: no answer, and the query does not load it.
    WINDLLVERSION v(answering);
    EXPECT_EQ(v.DLL(), answering);
    EXPECT_EQ(v.MAJORVERSION, 0u);
    EXPECT_EQ(v.MINORVERSION, 0u);
    EXPECT_EQ(v.BUILD, 0u);
    EXPECT_EQ(v.PLATFORMID, 0u);
    EXPECT_FALSE(v.ISWINNT());
    EXPECT_FALSE(loaded(ZEVA_TEST_ANSWERING_LIB));

    void* a = ::dlopen(ZEVA_TEST_ANSWERING_LIB, RTLD_NOW);
    void* s = ::dlopen(ZEVA_TEST_SILENT_LIB, RTLD_NOW);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(s, nullptr);
    v.DLL(answering);
    EXPECT_EQ(v.MAJORVERSION, 6u);
    EXPECT_EQ(v.MINORVERSION, 0u);
    EXPECT_EQ(v.BUILD, 2900u);
    EXPECT_EQ(v.PLATFORMID, 2u);
    EXPECT_TRUE(v.ISWINNT());

    // No answer from the next library: the numbers stay, the name changes.
    EXPECT_EQ(v.DLL(silent), silent);
    EXPECT_EQ(v.DLL(), silent);
    EXPECT_EQ(v.BUILD, 2900u);
    EXPECT_TRUE(v.ISWINNT());

    // The queries took no lasting reference: one close each unloads them.
    ::dlclose(a);
    ::dlclose(s);
    EXPECT_FALSE(loaded(ZEVA_TEST_ANSWERING_LIB));
    EXPECT_FALSE(loaded(ZEVA_TEST_SILENT_LIB));

    WINDLLVERSION none(QStringLiteral("libzeva-no-such-library.so"));
    EXPECT_EQ(none.MAJORVERSION, 0u);
    EXPECT_FALSE(none.ISWINNT());
}

// A library without the export of its own reports nothing, even though a
// library it depends on has one.
TEST(DllVersion, OnlyTheLibrarysOwnExportCounts)
{
    const QString borrowing = QStringLiteral(ZEVA_TEST_BORROWING_LIB);
    void* b = ::dlopen(ZEVA_TEST_BORROWING_LIB, RTLD_NOW);
    ASSERT_NE(b, nullptr) << ::dlerror();
    ASSERT_TRUE(loaded(ZEVA_TEST_ANSWERING_LIB)) << "loaded as its dependency";

    WINDLLVERSION fresh(borrowing);
    EXPECT_EQ(fresh.MAJORVERSION, 0u);
    EXPECT_EQ(fresh.MINORVERSION, 0u);
    EXPECT_EQ(fresh.BUILD, 0u);
    EXPECT_EQ(fresh.PLATFORMID, 0u);
    EXPECT_FALSE(fresh.ISWINNT());

    // The numbers of the library asked first stay.
    WINDLLVERSION v(QStringLiteral(ZEVA_TEST_ANSWERING_LIB));
    EXPECT_EQ(v.BUILD, 2900u);
    v.MAJORVERSION = 5;
    v.DLL(borrowing);
    EXPECT_EQ(v.DLL(), borrowing);
    EXPECT_EQ(v.MAJORVERSION, 5u);
    EXPECT_EQ(v.BUILD, 2900u);
    EXPECT_TRUE(v.ISWINNT());

    ::dlclose(b);
    EXPECT_FALSE(loaded(ZEVA_TEST_BORROWING_LIB));
}
