#include "ThreeMfFile.h"

#include <Model/COM/NMR_DLLInterfaces.h>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <array>
#include <vector>

namespace {
using namespace NMR;
using Point = Model::Point;
// Rows of x' = m·(x, y, z, 1), as lib3mf keeps them.
using Transform = std::array<std::array<double, 4>, 3>;

// Deeper nesting than any tool writes is a file that builds itself.
constexpr int deepest_components = 32;

// A lib3mf object, released when it goes.
class Handle {
public:
    Handle() = default;
    ~Handle() {
        if (instance_) {
            lib3mf_release(instance_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    PLib3MFBase* get() const { return instance_; }
    PLib3MFBase** out() { return &instance_; }

private:
    PLib3MFBase* instance_ = nullptr;
};

Transform transform_of(const MODELTRANSFORM& t) {
    Transform m;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            m[row][column] = t.m_fFields[row][column];
        }
    }
    return m;
}

// `outer` after `inner`.
Transform combined(const Transform& outer, const Transform& inner) {
    Transform m{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            m[row][column] = column == 3 ? outer[row][3] : 0;
            for (int k = 0; k < 3; ++k) {
                m[row][column] += outer[row][k] * inner[k][column];
            }
        }
    }
    return m;
}

Point placed(const Transform& m, const MODELMESHVERTEX& v) {
    Point p;
    for (int row = 0; row < 3; ++row) {
        p[row] = m[row][0] * v.m_fPosition[0] + m[row][1] * v.m_fPosition[1] +
                 m[row][2] * v.m_fPosition[2] + m[row][3];
    }
    return p;
}

class ThreeMfReader {
public:
    ThreeMfReader(ModelBuilder& builder, ModelReading& reading)
        : builder_(builder)
        , reading_(reading) {}

    // Every triangle of the object, placed by `m`; false once the file is
    // found to be bad, with the reason in the reading.
    bool add_object(PLib3MFModelObjectResource* object, const Transform& m, int depth) {
        BOOL is_mesh = false, is_components = false;
        lib3mf_object_ismeshobject(object, &is_mesh);
        lib3mf_object_iscomponentsobject(object, &is_components);
        if (is_mesh) {
            return add_mesh(object, m);
        }
        return !is_components || add_components(object, m, depth);
    }

private:
    bool add_mesh(PLib3MFModelMeshObject* mesh, const Transform& m) {
        DWORD vertex_count = 0, triangle_count = 0;
        lib3mf_meshobject_getvertexcount(mesh, &vertex_count);
        lib3mf_meshobject_gettrianglecount(mesh, &triangle_count);
        std::vector<MODELMESHVERTEX> vertices(vertex_count);
        std::vector<MODELMESHTRIANGLE> triangles(triangle_count);
        if (lib3mf_meshobject_getvertices(mesh, vertices.data(), vertex_count, nullptr) != 0 ||
            lib3mf_meshobject_gettriangleindices(mesh, triangles.data(), triangle_count, nullptr) !=
                0) {
            return fail(QObject::tr("a mesh cannot be read"));
        }
        for (const MODELMESHTRIANGLE& triangle : triangles) {
            Point corners[3];
            for (int c = 0; c < 3; ++c) {
                const DWORD index = triangle.m_nIndices[c];
                if (index >= vertex_count) {
                    return fail(QObject::tr("a triangle names corner %1 of %2")
                                    .arg(index)
                                    .arg(vertex_count));
                }
                corners[c] = placed(m, vertices[index]);
            }
            builder_.add_triangle(corners[0], corners[1], corners[2]);
        }
        return true;
    }

    bool add_components(PLib3MFModelComponentsObject* object, const Transform& m, int depth) {
        if (depth >= deepest_components) {
            return fail(QObject::tr("its components nest deeper than %1").arg(deepest_components));
        }
        DWORD count = 0;
        lib3mf_componentsobject_getcomponentcount(object, &count);
        for (DWORD i = 0; i < count; ++i) {
            Handle component, part;
            MODELTRANSFORM placement;
            if (lib3mf_componentsobject_getcomponent(object, i, component.out()) != 0 ||
                lib3mf_component_getobjectresource(component.get(), part.out()) != 0 ||
                lib3mf_component_gettransform(component.get(), &placement) != 0) {
                return fail(QObject::tr("a component cannot be read"));
            }
            if (!add_object(part.get(), combined(m, transform_of(placement)), depth + 1)) {
                return false;
            }
        }
        return true;
    }

    bool fail(const QString& reason) {
        reading_.error = reason;
        return false;
    }

    ModelBuilder& builder_;
    ModelReading& reading_;
};

QString last_error(PLib3MFBase* instance) {
    DWORD code = 0;
    LPCSTR message = nullptr;
    lib3mf_getlasterror(instance, &code, &message);
    return message && *message ? quoted_text(message) : QObject::tr("it cannot be read");
}

QStringList warnings_of(PLib3MFModelReader* reader) {
    QStringList warnings;
    DWORD count = 0;
    lib3mf_reader_getwarningcount(reader, &count);
    for (DWORD i = 0; i < std::min<DWORD>(count, 20); ++i) {
        DWORD code = 0;
        char text[256] = {};
        ULONG needed = 0;
        lib3mf_reader_getwarningutf8(reader, i, &code, text, sizeof text, &needed);
        warnings << quoted_text(text);
    }
    return warnings;
}

// lib3mf's progress, in percent, handed on; -1 only asks whether to stop.
bool tell_progress(int percent, ProgressIdentifier, void* relay) {
    return static_cast<ProgressRelay*>(relay)->tell(percent / 100.0);
}

bool add_build_items(PLib3MFModel* model, ThreeMfReader& reader, ModelReading& reading) {
    Handle items;
    if (lib3mf_model_getbuilditems(model, items.out()) != 0) {
        reading.error = last_error(model);
        return false;
    }
    BOOL more = false;
    while (lib3mf_builditemiterator_movenext(items.get(), &more) == 0 && more) {
        Handle item, object;
        MODELTRANSFORM placement;
        if (lib3mf_builditemiterator_getcurrent(items.get(), item.out()) != 0 ||
            lib3mf_builditem_getobjectresource(item.get(), object.out()) != 0 ||
            lib3mf_builditem_getobjecttransform(item.get(), &placement) != 0) {
            reading.error = QObject::tr("a build item cannot be read");
            return false;
        }
        if (!reader.add_object(object.get(), transform_of(placement), 0)) {
            return false;
        }
    }
    return true;
}
} // namespace

ModelReading read_3mf(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    Handle model, file_reader;
    if (lib3mf_createmodel(model.out()) != 0 ||
        lib3mf_model_queryreader(model.get(), "3mf", file_reader.out()) != 0) {
        reading.error = QObject::tr("the 3MF library cannot start");
        return reading;
    }
    ProgressRelay told(progress);
    lib3mf_reader_setprogresscallback(file_reader.get(), &tell_progress, &told);
    if (lib3mf_reader_readfromfileutf8(file_reader.get(), QFile::encodeName(path).constData()) !=
        0) {
        reading.cancelled = told.stopped();
        if (!reading.cancelled) {
            reading.error = last_error(file_reader.get());
        }
        return reading;
    }
    reading.warnings = warnings_of(file_reader.get());
    ModelBuilder builder;
    ThreeMfReader reader(builder, reading);
    if (add_build_items(model.get(), reader, reading)) {
        finish_reading(reading, builder, QFileInfo(path).fileName());
    }
    return reading;
}
