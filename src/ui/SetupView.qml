import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Bindwell.Core

// The setup window's content: the permissions guide on a first run, then the
// wizard's pages by AppState.setupStep; after setup, the settings editor.
Rectangle {
    id: view
    objectName: "setupView"
    color: Theme.background

    // Whether the permissions page is passed; decided each time the view appears.
    property bool permissionsGranted: false
    readonly property bool completed: ConfigStore.hasCompletedSetup
    readonly property string page: permissionsGranted || completed ? stepPage(AppState.setupStep)
                                                                    : "guide"
    readonly property var window: Window.window

    function stepPage(step) {
        if (step === Steps.mapButtons)
            return "mapButtons"
        return step === Steps.done ? "done" : "selectDevice"
    }

    function appear() {
        permissionsGranted = SetupCommands.windowAppeared()
    }

    // The first page is chosen only after the permission check, so a first
    // run with both permissions never flashes the guide.
    Component.onCompleted: {
        appear()
        stack.replace(null, stack.pageComponent(page), {}, StackView.Immediate)
    }
    onWindowChanged: if (window && window.visible) appear()
    Connections {
        target: view.window
        function onVisibleChanged() {
            if (view.window.visible)
                view.appear()
        }
    }
    Connections {
        target: SetupCommands
        function onCloseRequested() {
            if (view.window)
                view.window.close()
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 12

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 8

            RowLayout {
                Layout.alignment: Qt.AlignHCenter
                Layout.topMargin: 24
                spacing: 8
                Image {
                    source: Theme.logo
                    sourceSize: Qt.size(24, 24)
                    Layout.preferredWidth: 24
                    Layout.preferredHeight: 24
                }
                Text {
                    textFormat: Text.PlainText
                    text: qsTr("Bindwell")
                    color: Theme.primaryText
                    font.pixelSize: Theme.title2
                    font.bold: true
                }
                Text {
                    textFormat: Text.PlainText
                    objectName: "headerMode"
                    text: view.completed ? qsTr("Settings") : qsTr("Setup")
                    color: Theme.secondaryText
                    font.pixelSize: Theme.title2
                }
            }

            // A Row, not a RowLayout: Qt 6.4's layouts can ask a delegate that a
            // model change already freed for its size (a crash on a window manager's resize).
            Row {
                id: stepBar
                objectName: "stepBar"
                visible: !view.completed
                Layout.fillWidth: true
                Layout.leftMargin: 40
                Layout.rightMargin: 40
                spacing: 8
                Repeater {
                    id: stepSegments
                    model: [Steps.selectDevice, Steps.mapButtons, Steps.done]
                    Rectangle {
                        required property int modelData
                        required property int index
                        objectName: "stepSegment" + index
                        readonly property bool lit: AppState.setupStep >= modelData
                        width: (stepBar.width - stepBar.spacing * (stepSegments.count - 1)) / stepSegments.count
                        height: 3
                        radius: 1.5
                        color: lit ? Theme.accent : Theme.white(0.1)
                    }
                }
            }

            Divider {
                Layout.topMargin: 8
            }
        }

        StackView {
            id: stack
            objectName: "setupContent"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true

            readonly property string page: view.page
            onPageChanged: if (depth > 0) replace(null, pageComponent(page))

            function pageComponent(name) {
                switch (name) {
                case "guide":
                    return guidePage
                case "mapButtons":
                    return mappingPage
                case "done":
                    return completePage
                default:
                    return devicePage
                }
            }

            // Each page slides in from the trailing edge and leaves the same way.
            replaceEnter: Transition {
                XAnimator {
                    from: stack.width
                    to: 0
                    duration: 300
                    easing.type: Easing.InOutQuad
                }
            }
            replaceExit: Transition {
                XAnimator {
                    from: 0
                    to: stack.width
                    duration: 300
                    easing.type: Easing.InOutQuad
                }
            }
        }
    }

    Component {
        id: guidePage
        PermissionsGuideView {
            continueAction: () => view.permissionsGranted = true
        }
    }
    Component {
        id: devicePage
        DeviceSelectionView {}
    }
    Component {
        id: mappingPage
        ButtonMappingView {}
    }
    Component {
        id: completePage
        SetupCompleteView {}
    }
}
