#pragma once

// The top of the Device dock: the profile in use, in a combo that switches
// to another, and a menu button beside it that makes, renames, copies,
// removes, exports and imports profiles. It only asks; the host acts.

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QToolButton;

class ProfileBar : public QWidget {
    Q_OBJECT
public:
    explicit ProfileBar(QWidget* parent = nullptr);

    // Shows these profiles, `current` chosen; choosing one is not told.
    void show_profiles(const QStringList& names, const QString& current);

signals:
    void chosen(const QString& name);
    void new_asked();
    void rename_asked();
    void duplicate_asked();
    void delete_asked();
    void export_asked();
    void import_asked();

protected:
    void changeEvent(QEvent* event) override;

private:
    QAction* add_action(const char* object_name, void (ProfileBar::*asked)());
    void retranslate();

    QLabel* label_;
    QComboBox* combo_;
    QToolButton* button_;
    QAction *new_, *rename_, *duplicate_, *delete_, *export_, *import_;
};
