#include <kelvorin/KvCommon.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>

namespace {

// The dynamic symbols of libkelvorin.so as this process loaded it. Symbols are given by
// their mangled names, as a program linking the library would look them up.
class KvLibraryExports : public testing::Test {
protected:
    void SetUp() override {
        const std::string path = KvCommon::GetLibraryModule();
        ASSERT_FALSE(path.empty());
        m_library = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
        ASSERT_NE(m_library, nullptr) << dlerror();
    }
    void TearDown() override {
        if (m_library != nullptr) {
            dlclose(m_library);
        }
    }
    bool Exports(const char* symbol) const { return dlsym(m_library, symbol) != nullptr; }

private:
    void* m_library = nullptr;
};

TEST_F(KvLibraryExports, PolymorphicClassesShareTheirTypeInformation) {
    // A program's dynamic_cast and the sanitizers' type checks compare these with the
    // library's own, so each must exist once, in the library.
    for (const char* typeInfo :
         {"_ZTI9KvStTable", "_ZTI10KvStRecord", "_ZTI14KvStTableField", "_ZTI8KvAccess",
          "_ZTI7KvExcel", "_ZTI6KvWord", "_ZTI9CFileName"}) {
        EXPECT_TRUE(Exports(typeInfo)) << typeInfo;
    }
    EXPECT_TRUE(Exports("_ZN13KvMessageSink13DefaultAnswerE16KvMessageButtons"));
}

TEST_F(KvLibraryExports, InternalsStayInside) {
    for (const char* internal : {
             "_ZN9kv_detail7CLocaleEv",
             "_ZN9kv_detail8RealTextB5cxx11Ed",
             "_ZN9kv_detail6LexSqlERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE",
             // the internal library linked into it
             "_ZN9kv_detail13ReadImageInfoESt17basic_string_viewIcSt11char_traitsIcEERNS_"
             "9ImageInfoE",
             "_ZN9kv_detail10OpcPackage4LoadERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcE"
             "EERS6_",
         }) {
        EXPECT_FALSE(Exports(internal)) << internal;
    }
}

} // namespace
