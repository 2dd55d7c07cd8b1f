#include <gtest/gtest.h>

#include "framework.h"

namespace {

class Shape : public CObject {
  DECLARE_DYNAMIC(Shape)
};
class Circle : public Shape {
  DECLARE_DYNCREATE(Circle)
};
class Disc : public Circle {
  DECLARE_SERIAL(Disc)
};
class Square : public Shape {
  DECLARE_DYNCREATE(Square)
};

IMPLEMENT_DYNAMIC(Shape, CObject)
IMPLEMENT_DYNCREATE(Circle, Shape)
IMPLEMENT_SERIAL(Disc, Circle, 3)
IMPLEMENT_DYNCREATE(Square, Shape)

TEST(RuntimeClass, CreatesRegisteredClassesByName) {
  for (const char* name : {"Circle", "Disc", "Square", "CWnd", "CObArray"}) {
    CObject* object = CRuntimeClass::CreateObject(name);
    ASSERT_NE(object, nullptr) << name;
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, name);
    delete object;
  }
  // Dynamic but not creatable, and unknown names.
  EXPECT_EQ(CRuntimeClass::CreateObject("Shape"), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("Triangle"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(L"Disc"), RUNTIME_CLASS(Disc));
  EXPECT_EQ(RUNTIME_CLASS(Disc)->m_wSchema, 3u);
  EXPECT_EQ(RUNTIME_CLASS(Circle)->m_wSchema, 0xFFFFu);
}

TEST(RuntimeClass, IsKindOfFollowsTheHierarchy) {
  Disc disc;
  Square square;
  CObject* objects[] = {&disc, &square};
  struct Case {
    int object;
    CRuntimeClass* cls;
    bool expected;
  } cases[] = {
      {0, RUNTIME_CLASS(Disc), true},    {0, RUNTIME_CLASS(Circle), true}, {0, RUNTIME_CLASS(Shape), true},
      {0, RUNTIME_CLASS(CObject), true}, {0, RUNTIME_CLASS(Square), false}, {1, RUNTIME_CLASS(Circle), false},
      {1, RUNTIME_CLASS(Shape), true},   {1, RUNTIME_CLASS(CWnd), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(objects[c.object]->IsKindOf(c.cls) != FALSE, c.expected)
        << objects[c.object]->GetRuntimeClass()->m_lpszClassName << " / " << c.cls->m_lpszClassName;
  EXPECT_TRUE(disc.IsSerializable());
  EXPECT_FALSE(square.IsSerializable());
}

}  // namespace
