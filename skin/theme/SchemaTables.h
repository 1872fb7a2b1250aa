// Name tables of the theme schema: classes, parts, states, properties and
// enumeration values. Window-free; all names compare without regard to case.
#pragma once

#include <cstdint>

enum SchemaValueType {
    kSchemaString = 1,
    kSchemaInt = 2,
    kSchemaBool = 3,
    kSchemaColor = 4,
    kSchemaRect = 5,
    kSchemaFont = 6,
    kSchemaIntList = 7,
    kSchemaEnum = 8,
    kSchemaPosition = 9,
};

const int kSchemaClassGlobals = 1;
const int kSchemaClassDocumentation = 2;
const int kSchemaClassSysMetrics = 3;

// 0 when the name is unknown.
int GetSchemaClassCode(const char* name);
int GetSchemaPartCode(const char* className, const char* partName);
int GetSchemaStateCode(const char* partOrClassName, const char* stateName);
// The property id, 0 (type 0) when unknown.
int GetSchemaPropertyCode(const char* name, int* type);
// -1 when the property or the value name is unknown.
int GetSchemaEnumValue(const char* propertyName, const char* valueName);
uint32_t MakeSchemaPropertyKey(int classCode, int part, int state, int property);

// Walks of the tables, for tests and tools.
struct SchemaNameEntry {
    const char* group;  // class, part or property name the entry belongs to; null for classes and properties
    const char* name;
    int code;
    int type;  // properties only
};
enum SchemaTable {
    kTableClasses,
    kTableParts,
    kTableStates,
    kTableProperties,
    kTableEnums,
};
int GetSchemaTableSize(SchemaTable table);
SchemaNameEntry GetSchemaTableEntry(SchemaTable table, int index);
